#pragma once

#include "scene_reset.h"

#include <gtest/gtest.h>

// Starts each test from an empty scene, so that tests also pass when several run in one
// process (ctest runs each in its own).
class FreshScene : public ::testing::Test {
protected:
    void SetUp() override { resetScene(); }
};
