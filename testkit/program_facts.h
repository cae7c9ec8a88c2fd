#pragma once

#include "x_window.h"

#include <array>
#include <string>

// What the program shows the outside world, whatever it is answered.

inline const std::string kConsoleText = "\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n"
                                        "\n\nZa koliko stepeni zelite da rotirate kvadar po Y osi?\n"
                                        "\n\nZa koliko stepeni zelite da rotirate kvadar po Z osi?\n"
                                        "\n\nPocetna kocka: crvena\n"
                                        "Kocka rotirana oko X-ose: plava\n"
                                        "Kocka rotirana oko Y-ose: zelena\n"
                                        "Kocka rotirana oko Z-ose: zuta";

inline const std::string kTitle = "Geometrija - prikaz zadatka";

// The clear colour 0.9, 0.9, 0.8 as the 8-bit framebuffer holds it.
inline constexpr Rgb8 kBackground{230, 230, 204};

// The starting cube, written out by hand so that no test takes it from the code it tests.
struct Xyz {
    float x, y, z;
};

// V0..V7 by label.
inline constexpr std::array<Xyz, 8> kCubeVertices = {{
    {0, 0, 5},
    {5, 5, 5},
    {0, 0, 0},
    {5, 5, 0},
    {5, 0, 5},
    {0, 5, 0},
    {5, 0, 0},
    {0, 5, 5},
}};

// The labels in the order the vertices are added to the scene.
inline constexpr std::array<int, 8> kAddingOrder = {2, 6, 4, 0, 1, 3, 5, 7};

// The labels at the ends of E1..E12.
// clang-format off
inline constexpr std::array<std::array<int, 2>, 12> kEdgeLabels = {{
    {2, 6}, {6, 4}, {4, 0}, {0, 2},
    {3, 1}, {1, 7}, {7, 5}, {5, 3},
    {2, 5}, {6, 3}, {4, 1}, {0, 7},
}};
// clang-format on

// The vertices in adding order, as the scene holds the starting cube.
inline constexpr std::array<Xyz, 8> addedVertices()
{
    std::array<Xyz, 8> added{};
    for (std::size_t i = 0; i < added.size(); ++i) {
        added[i] = kCubeVertices[static_cast<std::size_t>(kAddingOrder[i])];
    }
    return added;
}
