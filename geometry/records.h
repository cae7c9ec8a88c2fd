#pragma once

#include <array>
#include <cstdint>

// Drawing colour code. Any 32-bit value may be stored; only 0..9 name a colour.
using Color = std::int32_t;

inline constexpr Color RED = 0;
inline constexpr Color GREEN = 1;
inline constexpr Color BLUE = 2;
inline constexpr Color YELLOW = 3;
inline constexpr Color ORANGE = 4;
inline constexpr Color MAGENTA = 5;
inline constexpr Color CYAN = 6;
inline constexpr Color PURPLE = 7;
inline constexpr Color WHITE = 8;
inline constexpr Color BLACK = 9;

// A point of space in scene units, with the colour it is drawn in when stored on its own.
// Point{x, y, z} leaves the colour BLACK.
struct Point {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    Color color = BLACK;
};

// A straight edge. The colours of the two end points are carried but never used.
struct Segment {
    Point first;
    Point second;
    Color color = BLACK;
};

// A straight line through `anchor`; only x and y of both points are drawn. Part of the
// library's interface: the scene keeps a list of them and the viewer draws it, although
// the program never makes one.
struct Line {
    Point anchor;
    Point direction; // read as a vector, not as a position
    Color color = BLACK;
};

// A 3x3 matrix, row-major: row i, column j is m[3 * i + j]. It acts on points as on column
// vectors (x, y, z), row i giving coordinate i of the result.
struct Matrix3 {
    std::array<float, 9> m{};
};
