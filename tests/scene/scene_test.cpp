#include "scene/scene.h"
#include "testkit/bits.h"
#include "testkit/fresh_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

void expectPoint(const Point& actual, const Point& expected)
{
    EXPECT_EQ(bitsOf(actual.x), bitsOf(expected.x));
    EXPECT_EQ(bitsOf(actual.y), bitsOf(expected.y));
    EXPECT_EQ(bitsOf(actual.z), bitsOf(expected.z));
    EXPECT_EQ(actual.color, expected.color);
}

using SceneStore = FreshScene;

} // namespace

TEST(SceneStart, StartsEmptyWithTheWindowSizedMinimum)
{
    expectPoint(sceneMin, {1024.0f, 700.0f, 0.0f, BLACK});
    expectPoint(sceneMax, {0.0f, 0.0f, 0.0f, BLACK});
    EXPECT_TRUE(pointList.empty());
    EXPECT_TRUE(segmentList.empty());
    EXPECT_TRUE(lineList.empty());
}

TEST_F(SceneStore, AddPointStoresARecolouredCopyAndWidensTheBounds)
{
    const Point vertex{0.0f, 0.0f, 5.0f};
    addPoint(vertex, RED);
    addPoint(vertex, 42);

    ASSERT_EQ(pointList.size(), 2u);
    expectPoint(pointList.front(), {0.0f, 0.0f, 5.0f, RED});
    expectPoint(pointList.back(), {0.0f, 0.0f, 5.0f, 42});
    expectPoint(sceneMin, {0.0f, 0.0f, 0.0f, BLACK});
    expectPoint(sceneMax, {0.0f, 0.0f, 5.0f, BLACK});
}

TEST_F(SceneStore, AddSegmentColoursTheSegmentButNotItsEnds)
{
    addSegment({{5, 0, 0, RED}, {0, 0, 5}}, BLUE);

    ASSERT_EQ(segmentList.size(), 1u);
    const Segment& stored = segmentList.front();
    EXPECT_EQ(stored.color, BLUE);
    expectPoint(stored.first, {5, 0, 0, RED});
    expectPoint(stored.second, {0, 0, 5, BLACK});
    expectPoint(sceneMin, {0.0f, 0.0f, 0.0f, BLACK});
    expectPoint(sceneMax, {5.0f, 0.0f, 5.0f, BLACK});
    EXPECT_TRUE(pointList.empty());
}

TEST_F(SceneStore, BoundsKeepTheirStartValuesInTheRace)
{
    const struct {
        const char* name;
        std::vector<Point> points;
        Point min;
        Point max;
    } cases[] = {
        // clang-format off
        {"far points leave the minimum at its start",
         {{2000, 800, 1}, {1500, 900, 3}}, {1024, 700, 0}, {2000, 900, 3}},
        {"negative points leave the maximum at zero",
         {{-1, -2, -3}, {-4, -0.5f, -1}}, {-4, -2, -3}, {0, 0, 0}},
        {"an equal negative zero does not replace a positive zero",
         {{-0.0f, -0.0f, -0.0f}}, {-0.0f, -0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}},
        {"a NaN becomes the minimum but never the maximum",
         {{kNan, 1, 1}}, {kNan, 1, 0}, {0, 1, 1}},
        {"the value after a NaN replaces it",
         {{kNan, 1, 1}, {3, 1, 1}}, {3, 1, 0}, {3, 1, 1}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        resetScene();
        for (const Point& p : c.points) {
            addPoint(p, GREEN);
        }
        expectPoint(sceneMin, c.min);
        expectPoint(sceneMax, c.max);
    }
}

TEST_F(SceneStore, SegmentWidensByBothEnds)
{
    addSegment({{kNan, -1, 9}, {2, 6, -7}}, RED);
    expectPoint(sceneMin, {2, -1, -7, BLACK});
    expectPoint(sceneMax, {2, 6, 9, BLACK});
}
