// The program's entry in the web page: as app/main.cpp, with the console in the page, a call
// that tells the page when each step is finished, and a few exports through which the page
// reads the program's own numbers and camera to show them.
#include "app/cube.h"
#include "app/dialogue.h"
#include "app/motion.h"
#include "app/motion_shapes.h"
#include "geometry/matrix.h"
#include "page_streams.h"
#include "scene/scene.h"
#include "viewer/glut_header.h"
#include "viewer/motion_picture.h"
#include "viewer/viewer.h"
#include "viewer/window_position.h"

#include <emscripten.h>

#include <array>
#include <cstddef>
#include <iterator>
#include <span>

namespace {

AxisTurns turns; // as the dialogue held them, once it has run

constexpr float kNan = __builtin_nanf("");

// Coordinate 0, 1 or 2 (x, y, z) of `p`.
float coordinate(const Point& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

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

// The turns in motion: both readings worked out once the dialogue has run, and what the last
// pageMotion set. Made once, so that a frame allocates nothing; on the heap, since as static
// objects their records' default colours would be stored in the .wasm, kilobytes to download.
bool pictureOpen = false;
struct PageMotion {
    bool known = false; // a position was set: the status below holds
    int reading = 0;
    MotionStatus status;
    MotionShapes shapes;
    std::array<WindowPosition, 11> onCanvas{}; // V0..V7, then the own axes' tips
};
std::array<MotionPlan, 2>& plans = *new std::array<MotionPlan, 2>();
PageMotion& motion = *new PageMotion();

} // namespace

// A frame drawn on the page's request: WebGL clears the canvas once a frame is shown, so the
// "save the picture" button takes it from a frame drawn for it.
extern "C" EMSCRIPTEN_KEEPALIVE void pageRedraw() { glutPostRedisplay(); }

// Step 0, 1 or 2 (X, Y, Z): field 0 the degrees read, 1 the radians built with, 2 to 10 the
// matrix's entries, row by row. NaN for anything else.
extern "C" EMSCRIPTEN_KEEPALIVE float pageTurn(int step, int field)
{
    if (step < 0 || step > 2 || field < 0 || field > 10) {
        return kNan;
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
        return kNan;
    }
    return coordinate(*point, axis);
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

// The turns played in the picture: reading 0 or 1 (Reading::world or Reading::own in
// app/motion.h) at `position` as motionAt takes it (0 the red cube, 3 the yellow one);
// vertex 0..7 is the label whose path is drawn (any other: none). From the next frame the
// picture shows the motion, or today's four cubes for a position of 3 or more, below 0 or
// NaN, or a reading other than 0 and 1; the status below is the position's (3's beyond 3),
// and none for the rest. Returns 1 when the motion is shown, 0 when today's picture is, -1
// before the picture exists (nothing is set).
extern "C" EMSCRIPTEN_KEEPALIVE int pageMotion(int reading, double position, int vertex)
{
    if (!pictureOpen) {
        return -1;
    }
    motion.known = (reading == 0 || reading == 1) && position >= 0.0;
    glutPostRedisplay();
    if (!motion.known) {
        clearMotion();
        return 0;
    }
    motion.reading = reading;
    const MotionPlan& plan = plans[static_cast<std::size_t>(reading)];
    motion.status = motionAt(plan, position);
    motion.shapes = motionShapes(plan, motion.status, vertex);
    const MotionShapes& shapes = motion.shapes;
    for (std::size_t v = 0; v < motion.status.vertices.size(); ++v) {
        motion.onCanvas[v] = windowPosition(motion.status.vertices[v]);
    }
    for (std::size_t a = 0; a < shapes.arrowTips.size(); ++a) {
        motion.onCanvas[8 + a] = shapes.arrows ? windowPosition(shapes.arrowTips[a]) : WindowPosition{kNan, kNan};
    }
    if (position >= 3.0) {
        clearMotion();
        return 0;
    }
    showMotion({shapes.scenePoints, shapes.sceneSegments, std::span(shapes.strokes.data(), shapes.strokeCount),
                std::span(shapes.segments.data(), shapes.segmentCount),
                std::span(shapes.points.data(), shapes.pointCount)});
    return 1;
}

// The turn in play, in playing order: 0, 1 or 2; -1 at position 0 or with no status.
extern "C" EMSCRIPTEN_KEEPALIVE int pageMotionTurn() { return motion.known ? motion.status.turn : -1; }

// The answer the turn in play is by: 0 X, 1 Y, 2 Z; -1 when none is in play.
extern "C" EMSCRIPTEN_KEEPALIVE int pageMotionAxis()
{
    const int turn = pageMotionTurn();
    return turn < 0 ? -1 : plans[static_cast<std::size_t>(motion.reading)].answers[static_cast<std::size_t>(turn)];
}

// The degrees the turn in play has reached (its fraction of the answer's degrees, as a float);
// 0 at position 0, NaN with no status.
extern "C" EMSCRIPTEN_KEEPALIVE float pageMotionDegrees() { return motion.known ? motion.status.degrees : kNan; }

// Coordinate 0, 1 or 2 (x, y, z) of the moving cube's vertex V`label`; NaN with no status or
// out of range.
extern "C" EMSCRIPTEN_KEEPALIVE float pageMotionVertex(int label, int axis)
{
    if (!motion.known || label < 0 || label > 7 || axis < 0 || axis > 2) {
        return kNan;
    }
    return coordinate(motion.status.vertices[static_cast<std::size_t>(label)], axis);
}

// Where the camera puts a point to label, as pageProject does (0 for x, 1 for y, in
// drawing-buffer pixels from the top-left corner), as of the last pageMotion: points 0..7 are
// the moving cube's V0..V7, 8, 9 and 10 the tips of its own x, y and z arrows (reading 1
// only). NaN for anything not drawn.
extern "C" EMSCRIPTEN_KEEPALIVE double pageMotionOnCanvas(int point, int axis)
{
    if (!motion.known || point < 0 || point > 10 || axis < 0 || axis > 1) {
        return kNan;
    }
    const WindowPosition& at = motion.onCanvas[static_cast<std::size_t>(point)];
    return axis == 0 ? at.x : at.y;
}

// The program's answer to a task without a run of its own, for a teacher's key: coordinate
// `axis` of vertex V`label` of cube `cube` (1 blue, 2 green, 3 yellow) after the turns by `x`,
// `y` and `z` degrees, each step the dialogue's own (degrees to radians, the builder,
// transform), so that it equals what a run on those answers computes. NaN for anything else.
extern "C" EMSCRIPTEN_KEEPALIVE float pageAnswer(float x, float y, float z, int cube, int label, int axis)
{
    if (cube < 1 || cube > 3 || label < 0 || label > 7 || axis < 0 || axis > 2) {
        return kNan;
    }
    const std::array<float, 3> degrees = {x, y, z};
    Point vertex = makeCube().vertices[static_cast<std::size_t>(label)];
    for (std::size_t step = 0; step < static_cast<std::size_t>(cube); ++step) {
        vertex = transform(axisRotations[step](toRadians(degrees[step])), vertex);
    }
    return coordinate(vertex, axis);
}

int main(int argc, char** argv)
{
    runConsoleStages(openPageInput(), openPageOutput(), &turns, stepFinished);
    plans = {planMotion(Reading::world, turns), planMotion(Reading::own, turns)};
    pictureOpen = true; // the window opens in runViewer, before the page can call again
    runViewer(argc, argv);
    return 0;
}
