#pragma once

#include "cube.h"
#include "dialogue.h"
#include "geometry/records.h"

#include <array>
#include <cstdint>

// Two readings of the same product Rz Ry Rx: about the fixed axes X, then Y, then Z, by the
// answers in the order they were asked (the program's own); or about the cube's own axes,
// first z by the Z answer, then the once-turned y' by the Y answer, then the twice-turned x''
// by the X answer. Both end on the yellow cube.
enum class Reading : std::uint8_t { world, own };

// The labels of the vertices at the far end of the cube's own x, y and z edges from V2, the
// corner at the origin, which every turn leaves there: their directions are the cube's own axes.
inline constexpr std::array<int, 3> ownAxisVertex = {6, 5, 0};

// One reading's turns in the order they are played, and the cube where each begins and ends.
struct MotionPlan {
    Reading reading = Reading::world;
    std::array<int, 3> answers{};        // the answer each turn is by: 0 X, 1 Y, 2 Z
    std::array<Point, 3> axes{};         // each turn's axis through the origin, as a direction
    std::array<float, 3> radians{};      // each turn's angle as the dialogue built its rotation
    std::array<float, 3> degrees{};      // and as the dialogue read it
    std::array<CubeVertices, 4> stops{}; // the starting cube, then the cube after each turn
};

// Works out a reading's turns from those the dialogue recorded. The world reading's stops are
// the blue, green and yellow cubes bit for bit; the own one's last stop is the yellow cube to
// within float rounding.
MotionPlan planMotion(Reading reading, const AxisTurns& turns);

// The moving cube at one position of the turns.
struct MotionStatus {
    int turn = -1;        // in playing order, 0..2; -1 at the start, where no turn is in play
    float radians = 0.0f; // the angle turned so far in that turn
    float degrees = 0.0f; // the same in the degrees read
    CubeVertices vertices{};
};

// The position runs from 0 (the starting cube) to 3 (the last turn done): a position in
// (k, k + 1] is turn k at fraction position - k, turned from stop k by that fraction of its
// angle with the turn's own builder, so that each whole position is that stop bit for bit.
// Positions beyond either end count as that end, NaN as the start.
MotionStatus motionAt(const MotionPlan& plan, double position);
