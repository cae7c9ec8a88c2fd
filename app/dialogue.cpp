#include "dialogue.h"

#include "cube.h"
#include "geometry/records.h"
#include "number_reader.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <numbers>

namespace {

// A step's prompt and the colour of its cube; its rotation is axisRotations[step].
struct AxisStep {
    const char* prompt;
    Color color;
};

constexpr std::array<AxisStep, 3> kSteps = {{
    {"\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n", BLUE},
    {"\n\nZa koliko stepeni zelite da rotirate kvadar po Y osi?\n", GREEN},
    {"\n\nZa koliko stepeni zelite da rotirate kvadar po Z osi?\n", YELLOW},
}};

constexpr const char* kLegend = "\n\nPocetna kocka: crvena\n"
                                "Kocka rotirana oko X-ose: plava\n"
                                "Kocka rotirana oko Y-ose: zelena\n"
                                "Kocka rotirana oko Z-ose: zuta";

// Every text must be visible before the next read or the window, whatever the buffering.
// A console that cannot be written to has no one to tell, so failures are let go.
void write(std::FILE* output, const char* text)
{
    static_cast<void>(std::fputs(text, output));
    static_cast<void>(std::fflush(output));
}

} // namespace

float toRadians(float degrees) { return static_cast<float>(degrees * (std::numbers::pi / 180.0)); }

void runDialogue(CubeModel& cube, NumberReader& input, std::FILE* output, AxisTurns* turns, StepFinished stepFinished)
{
    float degrees = 0.0f;
    for (std::size_t i = 0; i < kSteps.size(); ++i) {
        const AxisStep& step = kSteps[i];
        write(output, step.prompt);
        readNumber(input, degrees); // a failed read keeps the previous angle
        const float radians = toRadians(degrees);
        const Matrix3 rotation = axisRotations[i](radians);
        if (turns != nullptr) {
            (*turns)[i] = {degrees, radians, rotation};
        }
        cube.vertices = turned(rotation, cube.vertices);
        refreshEdges(cube);
        addCube(cube, step.color);
        if (stepFinished != nullptr) {
            stepFinished(i);
        }
    }
    write(output, kLegend);
}

// Two streams by nature; the names and the declaration's comment say which is which.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
CubeModel runConsoleStages(std::FILE* input, std::FILE* output, AxisTurns* turns, StepFinished stepFinished)
{
    CubeModel cube = addStartingCube();
    NumberReader reader{input, {}};
    runDialogue(cube, reader, output, turns, stepFinished);
    return cube;
}
