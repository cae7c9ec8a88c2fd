#pragma once

#include "geometry/records.h"

#include <cstddef>
#include <span>

// What the window shows while the turns are played, in place of the whole scene: the first
// entries of the scene's lists, and shapes of the motion's own, each in its own colour.
struct MotionPicture {
    std::size_t scenePoints = 0;       // the first entries of pointList drawn
    std::size_t sceneSegments = 0;     // and of segmentList
    std::span<const Segment> strokes;  // lines alone, over the scene's segments
    std::span<const Segment> segments; // each a line with its end points, as the scene's are
    std::span<const Point> points;     // over everything else
};

// From the next frame on, display() draws `picture` instead of the whole scene. What its
// spans show must outlive it, until the next call of either function. Asks for no frame.
void showMotion(const MotionPicture& picture);

// Back to the whole scene: display() draws exactly what it drew before any motion.
void clearMotion();
