#pragma once

#include "cube.h"
#include "geometry/matrix.h"
#include "geometry/records.h"
#include "number_reader.h"

#include <array>
#include <cstddef>
#include <cstdio>

// One step of the dialogue as the program held it: the angle it read (degrees), the angle
// it gave the rotation builder (radians) and the matrix that builder made.
struct AxisTurn {
    float degrees = 0.0f;
    float radians = 0.0f;
    Matrix3 rotation;
};

// The turns about X, Y and Z, in that order.
using AxisTurns = std::array<AxisTurn, 3>;

// The rotation builder of each step, by its index in AxisTurns: 0 X, 1 Y, 2 Z.
inline constexpr std::array<Matrix3 (*)(float radians), 3> axisRotations = {rotationX, rotationY, rotationZ};

// Called once a step's cube is in the scene, before the next text is written: 0, 1 or 2
// for X, Y or Z.
using StepFinished = void (*)(std::size_t step);

// Asks for the angles about X, Y and Z in degrees, rotating `cube` after each answer (each
// rotation acts on the result of the previous one) and adding it to the scene in BLUE,
// GREEN and YELLOW. Ends by writing the colour legend. Input that is not a number leaves
// the previous angle in force; the first one starts at 0 degrees. Each step is recorded in
// `turns` when it is given, and `stepFinished` told when it is done (the page shows each
// step as it is finished; the program's own run needs neither).
void runDialogue(CubeModel& cube, NumberReader& input, std::FILE* output, AxisTurns* turns = nullptr,
                 StepFinished stepFinished = nullptr);

// The program up to its window: adds the starting cube to the scene, then runs the
// dialogue on `input` and `output`. Returns the cube as the dialogue left it.
CubeModel runConsoleStages(std::FILE* input, std::FILE* output, AxisTurns* turns = nullptr,
                           StepFinished stepFinished = nullptr);

// Degrees as read to the radians given to the rotation builders: the product in double,
// rounded to float.
float toRadians(float degrees);
