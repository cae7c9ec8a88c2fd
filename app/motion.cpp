#include "motion.h"

#include "cube.h"
#include "dialogue.h"
#include "geometry/matrix.h"
#include "geometry/records.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::array<Matrix3 (*)(float), 3> kBuilders = {rotationX, rotationY, rotationZ};
constexpr std::array<Point, 3> kWorldAxes = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr int kTurns = 3;

std::size_t at(int index) { return static_cast<std::size_t>(index); }

CubeVertices turned(const Matrix3& rotation, const CubeVertices& cube)
{
    CubeVertices result;
    for (std::size_t v = 0; v < cube.size(); ++v) {
        result[v] = transform(rotation, cube[v]);
    }
    return result;
}

} // namespace

Matrix3 turnRotation(const MotionPlan& plan, int turn, float radians)
{
    if (plan.reading == Reading::world) {
        return kBuilders[at(plan.answers[at(turn)])](radians);
    }
    return rotationAbout(plan.axes[at(turn)], radians);
}

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
    // The start itself, not the start turned by nothing: that would make its -0.0s +0.0.
    if (!(position > 0.0)) {
        status.vertices = plan.stops[0];
        return status;
    }
    if (position > kTurns) {
        position = kTurns;
    }
    const int k = static_cast<int>(std::ceil(position)) - 1;
    status.turn = k;
    status.fraction = position - k;
    status.radians = static_cast<float>(status.fraction * plan.radians[at(k)]);
    status.degrees = static_cast<float>(status.fraction * plan.degrees[at(k)]);
    status.vertices = turned(turnRotation(plan, k, status.radians), plan.stops[at(k)]);
    return status;
}
