#include "app/motion.h"
#include "app/motion_shapes.h"
#include "scene/scene.h"
#include "testkit/bits.h"
#include "testkit/console_stages.h"
#include "testkit/fresh_scene.h"
#include "testkit/program_facts.h"
#include "testkit/quaternion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <numbers>
#include <vector>

namespace {

// Ordinary, negative, zero, past a full turn and very large answers.
constexpr const char* kAnswers[] = {"30 45 60",       "-720.5 1e6 90", "-45 -30 -15",     "0 0 0",
                                    "1e6 -1e6 359.9", "90 -90 180",    "7.25 -200 1234.5"};

// Fractions of a turn, as positions past the turn's start.
constexpr double kFractions[] = {0.125, 1.0 / 3.0, 0.5, 0.875, 1.0};

// The program rounds every coordinate and matrix entry to float, after each of up to three
// turns: a few float steps at magnitude 8, far below this.
constexpr double kTolerance = 1e-5;

// The two readings' turns, as the tests' quaternions turn about the fixed axes: the world
// one by each answer about its own axis in turn; the own one's composition Rz Ry Rx taken
// from the left, which turns about the cube's own axes, z first.
constexpr std::array<int, 3> kWorldOrder = {0, 1, 2};
constexpr std::array<int, 3> kOwnOrder = {2, 1, 0};

// The far ends of the cube's x, y and z edges from V2, the corner at the origin: V6, V5, V0.
constexpr int kOwnAxisEnd[] = {6, 5, 0};

struct Turned {
    AxisTurns turns;
    std::array<CubeVertices, 4> cubes; // the scene's red, blue, green and yellow cubes, by label
};

Turned run(const char* answers)
{
    resetScene();
    Turned result{runConsoleStages(answers).turns, {}};
    auto point = pointList.begin();
    for (CubeVertices& cube : result.cubes) {
        for (const int label : kAddingOrder) {
            cube[static_cast<std::size_t>(label)] = *point++;
        }
    }
    return result;
}

Vector3L vectorOf(const Point& p) { return {p.x, p.y, p.z}; }

Vector3L unitAxis(int axis)
{
    Vector3L unit{};
    unit[static_cast<std::size_t>(axis)] = 1.0L;
    return unit;
}

// The angle a turn has reached at fraction f: the program holds every angle it turns by as a
// float, and 1e6 degrees has float steps of 0.002 radians.
long double angleAt(double fraction, float radians) { return static_cast<float>(fraction * radians); }

void expectNear(const Point& actual, const Vector3L& expected, const char* what)
{
    EXPECT_NEAR(actual.x, static_cast<double>(expected[0]), kTolerance) << what;
    EXPECT_NEAR(actual.y, static_cast<double>(expected[1]), kTolerance) << what;
    EXPECT_NEAR(actual.z, static_cast<double>(expected[2]), kTolerance) << what;
}

bool sameBits(const Point& a, const Point& b)
{
    return bitsOf(a.x) == bitsOf(b.x) && bitsOf(a.y) == bitsOf(b.y) && bitsOf(a.z) == bitsOf(b.z);
}

void expectSameBits(const Point& actual, const Point& expected)
{
    EXPECT_EQ(bitsOf(actual.x), bitsOf(expected.x));
    EXPECT_EQ(bitsOf(actual.y), bitsOf(expected.y));
    EXPECT_EQ(bitsOf(actual.z), bitsOf(expected.z));
}

using Motion = FreshScene;
using MotionShape = FreshScene;

} // namespace

TEST_F(Motion, WorldReadingIsTheScenesCubesBitForBitAtWholePositions)
{
    for (const char* answers : kAnswers) {
        SCOPED_TRACE(answers);
        const Turned r = run(answers);
        const MotionPlan plan = planMotion(Reading::world, r.turns);
        for (int position = 0; position <= 3; ++position) {
            const MotionStatus status = motionAt(plan, position);
            for (std::size_t v = 0; v < 8; ++v) {
                SCOPED_TRACE(testing::Message() << "position " << position << ", V" << v);
                expectSameBits(status.vertices[v], r.cubes[static_cast<std::size_t>(position)][v]);
            }
        }
    }
}

// Answers beyond the float range turn the cubes into NaN and infinities: the motion follows
// the scene's cubes all the same, and its shapes stay within their tables (the test builds
// check every index).
TEST_F(Motion, AnswersBeyondTheFloatRangeStillGiveTheScenesCubes)
{
    const Turned r = run("1e39 -1e39 1e-50");
    for (const Reading reading : {Reading::world, Reading::own}) {
        const MotionPlan plan = planMotion(reading, r.turns);
        for (const double position : {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0}) {
            const MotionStatus status = motionAt(plan, position);
            static_cast<void>(motionShapes(plan, status, 3)); // for the index checks and the sanitizers
            if (reading == Reading::world && position == std::floor(position)) {
                for (std::size_t v = 0; v < 8; ++v) {
                    expectSameBits(status.vertices[v], r.cubes[static_cast<std::size_t>(position)][v]);
                }
            }
        }
    }
}

TEST_F(Motion, WorldReadingTurnsThePreviousCubeAboutTheFixedAxis)
{
    for (const char* answers : kAnswers) {
        SCOPED_TRACE(answers);
        const Turned r = run(answers);
        const MotionPlan plan = planMotion(Reading::world, r.turns);
        for (int k = 0; k < 3; ++k) {
            for (const double part : kFractions) {
                const double position = k + part;
                const double f = position - k;
                const float radians = r.turns[static_cast<std::size_t>(k)].radians;
                const QuaternionL q = turnAbout(unitAxis(k), angleAt(f, radians));
                const MotionStatus status = motionAt(plan, position);
                for (std::size_t v = 0; v < 8; ++v) {
                    SCOPED_TRACE(testing::Message() << "position " << position << ", V" << v);
                    expectNear(status.vertices[v], turned(q, vectorOf(r.cubes[static_cast<std::size_t>(k)][v])), "");
                }
            }
        }
    }
}

TEST_F(Motion, OwnReadingTurnsAboutTheCubesOwnAxesAndEndsOnTheYellowCube)
{
    for (const char* answers : kAnswers) {
        SCOPED_TRACE(answers);
        const Turned r = run(answers);
        const MotionPlan plan = planMotion(Reading::own, r.turns);
        for (std::size_t v = 0; v < 8; ++v) {
            expectSameBits(motionAt(plan, 0.0).vertices[v], r.cubes[0][v]);
            expectNear(motionAt(plan, 3.0).vertices[v], vectorOf(r.cubes[3][v]), "the yellow cube");
        }
        for (int k = 0; k < 3; ++k) {
            for (const double part : kFractions) {
                const double position = k + part;
                QuaternionL q;
                for (int j = 0; j <= k; ++j) {
                    const int axis = kOwnOrder[static_cast<std::size_t>(j)];
                    const float radians = r.turns[static_cast<std::size_t>(axis)].radians;
                    q = q * turnAbout(unitAxis(axis), j < k ? radians : angleAt(position - k, radians));
                }
                const MotionStatus status = motionAt(plan, position);
                for (std::size_t v = 0; v < 8; ++v) {
                    SCOPED_TRACE(testing::Message() << "position " << position << ", V" << v);
                    expectNear(status.vertices[v], turned(q, vectorOf(r.cubes[0][v])), "");
                }
            }
        }
    }
}

TEST_F(Motion, SaysWhichTurnIsInPlayAndHowFarItHasGone)
{
    const Turned r = run("30 45 60");
    const MotionPlan world = planMotion(Reading::world, r.turns);
    const MotionPlan own = planMotion(Reading::own, r.turns);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const MotionPlan& plan;
        double position;
        int turn;
        int answer; // 0 X, 1 Y, 2 Z
        float degrees;
    } cases[] = {
        // clang-format off
        {world, 0.0, -1, -1, 0.0f}, {world, -1.0, -1, -1, 0.0f}, {world, nan, -1, -1, 0.0f},
        {world, 0.5, 0, 0, 15.0f}, {world, 1.0, 0, 0, 30.0f}, {world, 1.5, 1, 1, 22.5f},
        {world, 2.25, 2, 2, 15.0f}, {world, 3.0, 2, 2, 60.0f}, {world, 7.0, 2, 2, 60.0f},
        {own, 0.5, 0, 2, 30.0f}, {own, 1.5, 1, 1, 22.5f}, {own, 2.5, 2, 0, 15.0f}, {own, 3.0, 2, 0, 30.0f},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const MotionStatus status = motionAt(c.plan, c.position);
        EXPECT_EQ(status.turn, c.turn);
        EXPECT_EQ(status.turn < 0 ? -1 : c.plan.answers[static_cast<std::size_t>(status.turn)], c.answer);
        EXPECT_EQ(status.degrees, c.degrees);
    }
}

namespace {

struct Chain {
    std::vector<Point> points; // the arc's points in order, its strokes end to end
    bool joined = true;
};

Chain strokesOf(const MotionShapes& shapes, Color color)
{
    Chain chain;
    for (std::size_t i = 0; i < shapes.strokeCount; ++i) {
        const Segment& s = shapes.strokes[i];
        if (s.color != color) {
            continue;
        }
        if (chain.points.empty()) {
            chain.points.push_back(s.first);
        } else if (!sameBits(chain.points.back(), s.first)) {
            chain.joined = false;
        }
        chain.points.push_back(s.second);
    }
    return chain;
}

long double dot(const Vector3L& a, const Vector3L& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// How far `p` is from the line through the origin along the unit vector `axis`.
long double offAxis(const Vector3L& p, const Vector3L& axis)
{
    const Vector3L cross = {p[1] * axis[2] - p[2] * axis[1], p[2] * axis[0] - p[0] * axis[2],
                            p[0] * axis[1] - p[1] * axis[0]};
    return std::sqrt(dot(cross, cross));
}

} // namespace

TEST_F(MotionShape, DrawsTheCubesReachedAndTheMovingCubeInItsOwnColour)
{
    const Turned r = run("30 45 60");
    const struct {
        Reading reading;
        double position;
        std::size_t sceneCubes; // in the order added: red, blue, green
        std::size_t ownStops;   // the own reading's stops reached, after its first
    } cases[] = {
        {Reading::world, 0.0, 1, 0}, {Reading::world, 1.0, 1, 0}, {Reading::world, 1.5, 2, 0},
        {Reading::world, 2.5, 3, 0}, {Reading::own, 0.0, 1, 0},   {Reading::own, 1.5, 1, 1},
        {Reading::own, 2.5, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const MotionPlan plan = planMotion(c.reading, r.turns);
        const MotionStatus status = motionAt(plan, c.position);
        const MotionShapes shapes = motionShapes(plan, status, 7);
        EXPECT_EQ(shapes.scenePoints, 8 * c.sceneCubes);
        EXPECT_EQ(shapes.sceneSegments, 12 * c.sceneCubes);
        ASSERT_EQ(shapes.segmentCount, 12 * (c.ownStops + 1));
        ASSERT_EQ(shapes.pointCount, 8 * (c.ownStops + 1));
        for (std::size_t i = 0; i < shapes.segmentCount; ++i) {
            const std::size_t cube = i / 12;
            const CubeVertices& where = cube < c.ownStops ? plan.stops[cube + 1] : status.vertices;
            const Segment& s = shapes.segments[i];
            EXPECT_EQ(s.color, cube < c.ownStops ? CYAN : MAGENTA) << i;
            expectSameBits(s.first, where[static_cast<std::size_t>(kEdgeLabels[i % 12][0])]);
            expectSameBits(s.second, where[static_cast<std::size_t>(kEdgeLabels[i % 12][1])]);
        }
        for (std::size_t i = 0; i < shapes.pointCount; ++i) {
            const std::size_t cube = i / 8;
            const CubeVertices& where = cube < c.ownStops ? plan.stops[cube + 1] : status.vertices;
            EXPECT_EQ(shapes.points[i].color, cube < c.ownStops ? CYAN : MAGENTA) << i;
            expectSameBits(shapes.points[i], where[static_cast<std::size_t>(kAddingOrder[i % 8])]);
        }
    }
}

TEST_F(MotionShape, DrawsTheTurnsAxisThroughTheOriginPastThePicture)
{
    const Turned r = run("30 45 60");
    const MotionPlan world = planMotion(Reading::world, r.turns);
    const MotionPlan own = planMotion(Reading::own, r.turns);
    // The own reading's second turn is about the cube's y once turned about z by 60 degrees,
    // its third about its x turned about y by 45 degrees, then about z by 60.
    const double c = std::cos(std::numbers::pi / 3);
    const double s = std::sin(std::numbers::pi / 3);
    const double h = std::numbers::sqrt2 / 2;
    const struct {
        const MotionPlan& plan;
        double position;
        Vector3L axis;
    } cases[] = {
        {world, 0.5, {1, 0, 0}}, {world, 1.5, {0, 1, 0}}, {world, 3.0, {0, 0, 1}},
        {own, 0.5, {0, 0, 1}},   {own, 1.5, {-s, c, 0}},  {own, 2.5, {c * h, s * h, -h}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.position);
        const MotionShapes shapes = motionShapes(k.plan, motionAt(k.plan, k.position), -1);
        const Chain axis = strokesOf(shapes, BLACK);
        ASSERT_EQ(axis.points.size(), 2u);
        // Both ends on the axis, on either side of the origin, beyond any place the camera
        // shows (the scene lies within 9 units of the origin and the picture 19 either side
        // of its centre), except towards the camera, which looks from z = 30: there no
        // further than z = 20, still in front of it.
        for (const Point& end : axis.points) {
            const Vector3L e = vectorOf(end);
            const long double along = dot(e, k.axis);
            EXPECT_TRUE(std::fabs(static_cast<double>(along)) >= 50.0 || std::fabs(end.z - 20.0f) < 1e-4f) << end.z;
            EXPECT_LE(end.z, 20.0f + 1e-4f);
            EXPECT_NEAR(static_cast<double>(offAxis(e, k.axis)), 0.0, 1e-4);
        }
        EXPECT_LT(dot(vectorOf(axis.points[0]), vectorOf(axis.points[1])), 0.0L);
    }
    EXPECT_EQ(strokesOf(motionShapes(world, motionAt(world, 0.0), 7), BLACK).points.size(), 0u)
        << "no turn in play, no axis";
}

TEST_F(MotionShape, DrawsTheChosenVertexsPathAsAnArcAboutTheAxis)
{
    for (const char* answers : kAnswers) {
        SCOPED_TRACE(answers);
        const Turned r = run(answers);
        for (const Reading reading : {Reading::world, Reading::own}) {
            const MotionPlan plan = planMotion(reading, r.turns);
            for (const double position : {0.25, 1.0, 1.5, 2.875}) {
                const MotionStatus status = motionAt(plan, position);
                const auto k = static_cast<std::size_t>(status.turn);
                // The axis by the tests' own reckoning: a coordinate axis, or the cube's own
                // axis as the turn begins (the turned x, y or z edge from V2 at the origin).
                const int answer = (reading == Reading::world ? kWorldOrder : kOwnOrder)[k];
                Vector3L axis = reading == Reading::world
                                    ? unitAxis(answer)
                                    : vectorOf(plan.stops[k][static_cast<std::size_t>(kOwnAxisEnd[answer])]);
                const long double length = std::sqrt(dot(axis, axis));
                axis = {axis[0] / length, axis[1] / length, axis[2] / length};
                const long double swept = std::fabs(static_cast<long double>(status.radians));
                for (int v = 0; v < 8; ++v) {
                    SCOPED_TRACE(testing::Message() << "position " << position << ", V" << v);
                    const Chain arc = strokesOf(motionShapes(plan, status, v), ORANGE);
                    if (swept == 0.0L) {
                        EXPECT_TRUE(arc.points.empty());
                        continue;
                    }
                    ASSERT_TRUE(arc.joined);
                    // Round enough, and no more: a stroke for each 96th of a turn swept or part of
                    // one, and a path longer than a turn is the whole circle.
                    const long double full = 2 * std::numbers::pi_v<long double>;
                    const long double needed = std::min(swept, full) / full * 96;
                    ASSERT_GE(static_cast<long double>(arc.points.size() - 1), needed);
                    ASSERT_LT(static_cast<long double>(arc.points.size() - 1), needed + 1);
                    expectSameBits(arc.points.back(), status.vertices[static_cast<std::size_t>(v)]);
                    const Vector3L start = vectorOf(plan.stops[k][static_cast<std::size_t>(v)]);
                    if (swept <= full) {
                        expectNear(arc.points.front(), start, "the vertex where the turn began");
                    } else {
                        expectNear(arc.points.front(), vectorOf(arc.points.back()), "a whole circle");
                    }
                    // Every point on the start's circle about the axis: as far along it and
                    // as far from it.
                    for (const Point& p : arc.points) {
                        const Vector3L q = vectorOf(p);
                        EXPECT_NEAR(static_cast<double>(dot(q, axis)), static_cast<double>(dot(start, axis)),
                                    kTolerance);
                        EXPECT_NEAR(static_cast<double>(offAxis(q, axis)), static_cast<double>(offAxis(start, axis)),
                                    kTolerance);
                    }
                }
                EXPECT_TRUE(strokesOf(motionShapes(plan, status, 8), ORANGE).points.empty());
                EXPECT_TRUE(strokesOf(motionShapes(plan, status, -1), ORANGE).points.empty());
            }
        }
    }
    // By hand: a quarter turn about X carries V7 = (0, 5, 5) round to (0, -5, 5), its path
    // in the plane x = 0 at the distance 5 sqrt 2 from the axis.
    const Turned quarter = run("90 0 0");
    const MotionPlan plan = planMotion(Reading::world, quarter.turns);
    const Chain arc = strokesOf(motionShapes(plan, motionAt(plan, 1.0), 7), ORANGE);
    ASSERT_GE(arc.points.size(), 25u);
    expectNear(arc.points.front(), {0, 5, 5}, "V7 at the start");
    expectNear(arc.points.back(), {0, -5, 5}, "V7 at the end");
    for (const Point& p : arc.points) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_NEAR(std::hypot(p.y, p.z), 5 * std::numbers::sqrt2, kTolerance);
    }
}

TEST_F(MotionShape, OwnReadingDrawsTheCubesOwnAxesAsArrows)
{
    for (const char* answers : kAnswers) {
        SCOPED_TRACE(answers);
        const Turned r = run(answers);
        const MotionPlan world = planMotion(Reading::world, r.turns);
        const MotionShapes none = motionShapes(world, motionAt(world, 1.5), 0);
        EXPECT_FALSE(none.arrows);
        EXPECT_TRUE(strokesOf(none, PURPLE).points.empty());

        const MotionPlan own = planMotion(Reading::own, r.turns);
        for (const double position : {0.0, 0.5, 1.75, 3.0}) {
            const MotionStatus status = motionAt(own, position);
            const MotionShapes shapes = motionShapes(own, status, 0);
            ASSERT_TRUE(shapes.arrows);
            // Each arrow runs from the origin half as far again as the cube's own x, y or z
            // edge from V2, and its head's two wings meet the shaft at the tip.
            EXPECT_EQ(strokesOf(shapes, PURPLE).points.size(), 10u) << "nine strokes";
            for (std::size_t a = 0; a < 3; ++a) {
                const Point tip = shapes.arrowTips[a];
                const Point edge = status.vertices[static_cast<std::size_t>(kOwnAxisEnd[a])];
                expectNear(tip, {1.5L * edge.x, 1.5L * edge.y, 1.5L * edge.z}, "tip");
                int atTip = 0;
                int fromOrigin = 0;
                for (std::size_t i = 0; i < shapes.strokeCount; ++i) {
                    const Segment& s = shapes.strokes[i];
                    atTip += s.color == PURPLE && sameBits(s.first, tip) ? 1 : 0;
                    fromOrigin += s.color == PURPLE && sameBits(s.second, tip) && sameBits(s.first, {}) ? 1 : 0;
                }
                EXPECT_EQ(atTip, 2) << "wings of arrow " << a;
                EXPECT_EQ(fromOrigin, 1) << "shaft of arrow " << a;
            }
        }
    }
}
