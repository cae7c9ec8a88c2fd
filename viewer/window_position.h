#pragma once

#include "geometry/records.h"

// A place in the window's drawing buffer, in pixels from its top-left corner (x to the
// right, y down), where GL would put a vertex.
struct WindowPosition {
    double x;
    double y;
};

// Where `point` lands through the projection, modelview and viewport that GL holds now
// (after the first reshape: the viewer's camera). The viewport is taken to fill the
// buffer. Both are NaN for a point that GL clips away in depth (behind the eye, nearer than
// the near plane or past the far plane), which it does not draw.
WindowPosition windowPosition(const Point& point);
