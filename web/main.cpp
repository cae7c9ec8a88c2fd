// The program's entry in the web page: as app/main.cpp, with the console in the page, a call
// that tells the page when each step is finished, and a few exports through which the page
// reads the program's own numbers and camera to show them.
#include "app/cube.h"
#include "app/dialogue.h"
#include "page_streams.h"
#include "scene/scene.h"
#include "viewer/glut_header.h"
#include "viewer/viewer.h"
#include "viewer/window_position.h"

#include <emscripten.h>

#include <cstddef>
#include <iterator>

namespace {

AxisTurns turns; // as the dialogue held them, once it has run

const Point* pointAt(int index)
{
    if (index < 0 || index >= static_cast<int>(pointList.size())) {
        return nullptr;
    }
    return &*std::next(pointList.begin(), index);
}

// The page's Module.onStepFinished(step), where it has one.
EM_JS(void, tellPageStepFinished, (int step), {
    if (Module.onStepFinished) {
        Module.onStepFinished(step);
    }
});

void stepFinished(std::size_t step) { tellPageStepFinished(static_cast<int>(step)); }

} // namespace

// A frame drawn on the page's request: WebGL clears the canvas once a frame is shown, so the
// "save the picture" button takes it from a frame drawn for it.
extern "C" EMSCRIPTEN_KEEPALIVE void pageRedraw() { glutPostRedisplay(); }

// Step 0, 1 or 2 (X, Y, Z): field 0 the degrees read, 1 the radians built with, 2 to 10 the
// matrix's entries, row by row. NaN for anything else.
extern "C" EMSCRIPTEN_KEEPALIVE float pageTurn(int step, int field)
{
    if (step < 0 || step > 2 || field < 0 || field > 10) {
        return __builtin_nanf("");
    }
    const AxisTurn& turn = turns[static_cast<std::size_t>(step)];
    if (field < 2) {
        return field == 0 ? turn.degrees : turn.radians;
    }
    return turn.rotation.m[static_cast<std::size_t>(field - 2)];
}

// The scene's points in the order they were added: coordinate 0, 1 or 2 of each (NaN past
// the end).
extern "C" EMSCRIPTEN_KEEPALIVE float pagePoint(int index, int axis)
{
    const Point* point = pointAt(index);
    if (point == nullptr || axis < 0 || axis > 2) {
        return __builtin_nanf("");
    }
    return axis == 0 ? point->x : axis == 1 ? point->y : point->z;
}

// The label (0 for V0 ... 7 for V7) of the i-th vertex added of each cube.
extern "C" EMSCRIPTEN_KEEPALIVE int pageVertexLabel(int i)
{
    return i < 0 || i >= static_cast<int>(vertexAddingOrder.size()) ? -1
                                                                    : vertexAddingOrder[static_cast<std::size_t>(i)];
}

// Where the viewer's camera puts the point (x, y, z) on the canvas: 0 for x, 1 for y, in
// drawing-buffer pixels from the top-left corner. Meaningful once the window is open.
extern "C" EMSCRIPTEN_KEEPALIVE double pageProject(float x, float y, float z, int axis)
{
    const WindowPosition position = windowPosition(Point{x, y, z});
    return axis == 0 ? position.x : position.y;
}

int main(int argc, char** argv)
{
    runConsoleStages(openPageInput(), openPageOutput(), &turns, stepFinished);
    runViewer(argc, argv);
    return 0;
}
