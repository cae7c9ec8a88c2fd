#pragma once

#include "cube.h"
#include "number_reader.h"

#include <cstdio>

// Asks for the angles about X, Y and Z in degrees, rotating `cube` after each answer (each
// rotation acts on the result of the previous one) and adding it to the scene in BLUE,
// GREEN and YELLOW. Ends by writing the colour legend. Input that is not a number leaves
// the previous angle in force; the first one starts at 0 degrees.
void runDialogue(CubeModel& cube, NumberReader& input, std::FILE* output);

// The program up to its window: adds the starting cube to the scene, then runs the
// dialogue on `input` and `output`. Returns the cube as the dialogue left it.
CubeModel runConsoleStages(std::FILE* input, std::FILE* output);

// Degrees as read to the radians given to the rotation builders: the product in double,
// rounded to float.
float toRadians(float degrees);
