#include "app/cube.h"
#include "scene/scene.h"
#include "testkit/bits.h"
#include "testkit/fresh_scene.h"
#include "testkit/program_facts.h"

#include <gtest/gtest.h>

namespace {

void expectAt(const Point& p, const Xyz& where, Color color)
{
    EXPECT_EQ(bitsOf(p.x), bitsOf(where.x));
    EXPECT_EQ(bitsOf(p.y), bitsOf(where.y));
    EXPECT_EQ(bitsOf(p.z), bitsOf(where.z));
    EXPECT_EQ(p.color, color);
}

using StartingCube = FreshScene;

} // namespace

TEST_F(StartingCube, FillsTheSceneInRedInAddingOrder)
{
    const CubeModel cube = addStartingCube();

    ASSERT_EQ(pointList.size(), 8u);
    auto point = pointList.begin();
    for (const Xyz& expected : addedVertices()) {
        expectAt(*point++, expected, RED);
    }

    ASSERT_EQ(segmentList.size(), 12u);
    auto segment = segmentList.begin();
    for (const auto& ends : kEdgeLabels) {
        EXPECT_EQ(segment->color, RED);
        expectAt(segment->first, kCubeVertices[ends[0]], BLACK);
        expectAt(segment->second, kCubeVertices[ends[1]], BLACK);
        ++segment;
    }

    EXPECT_TRUE(lineList.empty());
    expectAt(sceneMin, {0, 0, 0}, BLACK);
    expectAt(sceneMax, {5, 5, 5}, BLACK);

    for (const Point& v : cube.vertices) {
        EXPECT_EQ(v.color, BLACK);
    }
    for (const Segment& e : cube.edges) {
        EXPECT_EQ(e.color, BLACK);
    }
}

TEST_F(StartingCube, EntriesDoNotFollowTheModel)
{
    CubeModel cube = addStartingCube();
    cube.vertices[2] = {-1, -1, -1};
    refreshEdges(cube);

    expectAt(pointList.front(), addedVertices()[0], RED);
    expectAt(segmentList.front().first, kCubeVertices[kEdgeLabels[0][0]], BLACK);
    expectAt(cube.edges[0].first, {-1, -1, -1}, BLACK);
}
