#pragma once

#include "geometry/records.h"

#include <array>

// A cube's eight vertices by label, V0..V7.
using CubeVertices = std::array<Point, 8>;

// The cube of side 5 with one corner at the origin, as vertex records V0..V7 and edge
// records E1..E12 (edges[0] is E1). Edge records hold copies of their vertices, so they are
// refreshed after the vertices move.
struct CubeModel {
    CubeVertices vertices;
    std::array<Segment, 12> edges;
};

// Vertex labels in the order they are added to the scene and rotated.
inline constexpr std::array<int, 8> vertexAddingOrder = {2, 6, 4, 0, 1, 3, 5, 7};

// The vertex labels at each end of E1..E12: around the face y = 0, around the face y = 5,
// then the four edges joining the two faces.
// clang-format off
inline constexpr std::array<std::array<int, 2>, 12> edgeEnds = {{
    {2, 6}, {6, 4}, {4, 0}, {0, 2},
    {3, 1}, {1, 7}, {7, 5}, {5, 3},
    {2, 5}, {6, 3}, {4, 1}, {0, 7},
}};
// clang-format on

// The starting cube; every record is BLACK.
CubeModel makeCube();

// Each vertex turned by `rotation` on its own (transform, so colours are kept).
CubeVertices turned(const Matrix3& rotation, const CubeVertices& vertices);

// Copies the vertex records into the edge records; the edges keep their own colour.
void refreshEdges(CubeModel& cube);

// Adds the eight vertices in adding order, then E1..E12, all in `color`.
void addCube(const CubeModel& cube, Color color);

// The first stage of the program: builds the cube and adds it to the scene in RED.
CubeModel addStartingCube();
