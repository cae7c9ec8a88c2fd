#pragma once

#include "scene/scene.h"

// Puts the scene back to its start state, for code that fills it more than once in one
// process (the program itself never empties it).
inline void resetScene()
{
    sceneMin = kSceneMinStart;
    sceneMax = kSceneMaxStart;
    pointList.clear();
    segmentList.clear();
    lineList.clear();
}
