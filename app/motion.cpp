#include "motion.h"

#include "cube.h"
#include "dialogue.h"
#include "geometry/matrix.h"
#include "geometry/records.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::array<Point, 3> kWorldAxes = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr int kTurns = 3;

std::size_t at(int index) { return static_cast<std::size_t>(index); }

// The rotation of turn `turn` by `radians`: the world reading's builder of its axis, or the
// rotation about the cube's own axis.
Matrix3 turnRotation(const MotionPlan& plan, int turn, float radians)
{
    if (plan.reading == Reading::world) {
        return axisRotations[at(plan.answers[at(turn)])](radians);
    }
    return rotationAbout(plan.axes[at(turn)], radians);
}

} // namespace

MotionPlan planMotion(Reading reading, const AxisTurns& turns)
{
    MotionPlan plan;
    plan.reading = reading;
    plan.stops[0] = makeCube().vertices;
    for (int k = 0; k < kTurns; ++k) {
        const int answer = reading == Reading::world ? k : kTurns - 1 - k;
        const AxisTurn& turn = turns[at(answer)];
        plan.answers[at(k)] = answer;
        plan.radians[at(k)] = turn.radians;
        plan.degrees[at(k)] = turn.degrees;
        // The own axis is taken from the cube as this turn finds it.
        plan.axes[at(k)] =
            reading == Reading::world ? kWorldAxes[at(answer)] : plan.stops[at(k)][at(ownAxisVertex[at(answer)])];
        plan.stops[at(k + 1)] = turned(turnRotation(plan, k, turn.radians), plan.stops[at(k)]);
    }
    return plan;
}

MotionStatus motionAt(const MotionPlan& plan, double position)
{
    MotionStatus status;
    // No turn is in play at the start, before it or at NaN: k would be -1.
    if (!(position > 0.0)) {
        status.vertices = plan.stops[0];
        return status;
    }
    if (position > kTurns) {
        position = kTurns;
    }
    const int k = static_cast<int>(std::ceil(position)) - 1;
    status.turn = k;
    const double fraction = position - k;
    status.radians = static_cast<float>(fraction * plan.radians[at(k)]);
    status.degrees = static_cast<float>(fraction * plan.degrees[at(k)]);
    status.vertices = turned(turnRotation(plan, k, status.radians), plan.stops[at(k)]);
    return status;
}
