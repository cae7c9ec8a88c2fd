#include "cube.h"

#include "geometry/matrix.h"
#include "geometry/records.h"
#include "scene/scene.h"

#include <cstddef>

CubeModel makeCube()
{
    CubeModel cube;
    cube.vertices = {{
        {0.0f, 0.0f, 5.0f}, // V0
        {5.0f, 5.0f, 5.0f}, // V1
        {0.0f, 0.0f, 0.0f}, // V2
        {5.0f, 5.0f, 0.0f}, // V3
        {5.0f, 0.0f, 5.0f}, // V4
        {0.0f, 5.0f, 0.0f}, // V5
        {5.0f, 0.0f, 0.0f}, // V6
        {0.0f, 5.0f, 5.0f}, // V7
    }};
    refreshEdges(cube);
    return cube;
}

CubeVertices turned(const Matrix3& rotation, const CubeVertices& vertices)
{
    CubeVertices result;
    for (const int v : vertexAddingOrder) {
        result[v] = transform(rotation, vertices[v]);
    }
    return result;
}

void refreshEdges(CubeModel& cube)
{
    for (std::size_t e = 0; e < edgeEnds.size(); ++e) {
        cube.edges[e].first = cube.vertices[edgeEnds[e][0]];
        cube.edges[e].second = cube.vertices[edgeEnds[e][1]];
    }
}

void addCube(const CubeModel& cube, Color color)
{
    for (const int v : vertexAddingOrder) {
        addPoint(cube.vertices[v], color);
    }
    for (const Segment& edge : cube.edges) {
        addSegment(edge, color);
    }
}

CubeModel addStartingCube()
{
    CubeModel cube = makeCube();
    addCube(cube, RED);
    return cube;
}
