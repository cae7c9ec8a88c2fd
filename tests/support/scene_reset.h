#pragma once

#include "scene/scene.h"

// Puts the scene back to its start state, for code that fills it more than once in one
// process (the program itself never empties it).
inline void resetScene()
{
    sceneMin = {1024.0f, 700.0f, 0.0f};
    sceneMax = {0.0f, 0.0f, 0.0f};
    pointList.clear();
    segmentList.clear();
    lineList.clear();
}
