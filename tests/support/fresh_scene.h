#pragma once

#include "scene/scene.h"

#include <gtest/gtest.h>

// Puts the scene back to its start state, so that tests also pass when several run in one
// process (ctest runs each in its own).
inline void resetScene()
{
    sceneMin = {1024.0f, 700.0f, 0.0f};
    sceneMax = {0.0f, 0.0f, 0.0f};
    pointList.clear();
    segmentList.clear();
    lineList.clear();
}

class FreshScene : public ::testing::Test {
protected:
    void SetUp() override { resetScene(); }
};
