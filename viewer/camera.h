#pragma once

#include "geometry/records.h"

// The point of the scene plane z = 0 that the camera looks at, in scene units.
struct CameraCentre {
    float x;
    float y;
};

// Midpoint of the bounds in x and y, computed in double and rounded to float.
CameraCentre cameraCentre(Point min, Point max);
