#pragma once

#include "cube.h"
#include "geometry/records.h"
#include "motion.h"

#include <array>
#include <cstddef>

// A full turn's arc is drawn with this many strokes, a part of a turn with its share of them.
inline constexpr std::size_t arcStrokesPerTurn = 96;

// The most strokes a frame has: the axis, a whole turn's arc and three arrows of three.
inline constexpr std::size_t maxStrokes = 1 + arcStrokesPerTurn + 9;
// The most cubes the motion draws itself: the own reading's two stops, then the moving cube.
inline constexpr std::size_t maxCubes = 3;

// What one frame of the turns in motion draws, in its colours: the first cubes of the scene
// (by count of entries in the order added) and shapes of the motion's own.
struct MotionShapes {
    std::size_t scenePoints = 0;
    std::size_t sceneSegments = 0;
    // Lines alone: the turn's axis, the chosen vertex's arc, the own axes' arrows.
    std::array<Segment, maxStrokes> strokes{};
    std::size_t strokeCount = 0;
    // Lines with their end points: the own-axes stops reached, then the moving cube.
    std::array<Segment, maxCubes * edgeEnds.size()> segments{};
    std::size_t segmentCount = 0;
    std::array<Point, maxCubes * vertexAddingOrder.size()> points{};
    std::size_t pointCount = 0;
    bool arrows = false;              // the own reading shows the cube's own axes
    std::array<Point, 3> arrowTips{}; // the tips of its x, y and z arrows, when shown
};

// The shapes of `status`, a position of `plan`; `vertex` (0..7) is the label whose path is
// drawn, any other value draws none. A path longer than a full turn is drawn as the circle.
MotionShapes motionShapes(const MotionPlan& plan, const MotionStatus& status, int vertex);
