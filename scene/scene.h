#pragma once

#include "geometry/records.h"

#include <list>

// The process-wide store of what the window draws. It is filled before the window opens and
// only read afterwards; entries are never removed before exit.

// Running bounds of every coordinate added. The start values take part in the bounds, so
// the minimum never exceeds (1024, 700, 0) and the maximum is never below (0, 0, 0).
inline constexpr Point kSceneMinStart{1024.0f, 700.0f, 0.0f};
inline constexpr Point kSceneMaxStart{0.0f, 0.0f, 0.0f};
extern Point sceneMin;
extern Point sceneMax;

extern std::list<Point> pointList;
extern std::list<Segment> segmentList;
extern std::list<Line> lineList; // part of the interface: nothing here adds to it; drawn all the same

// Stores a copy of `point` coloured `color` and widens the bounds by it.
void addPoint(Point point, Color color);

// Stores a copy of `segment` with its own colour set to `color` (the end points keep theirs)
// and widens the bounds by the first end point, then the second.
void addSegment(Segment segment, Color color);
