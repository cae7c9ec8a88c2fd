#include "motion_shapes.h"

#include "cube.h"
#include "geometry/matrix.h"
#include "geometry/records.h"
#include "motion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {

// The colours of what the turns in motion add to the picture: none of the scene's cubes'.
constexpr Color kMovingCubeColor = MAGENTA;
constexpr Color kTurnAxisColor = BLACK;
constexpr Color kPathColor = ORANGE;    // the arc the chosen vertex sweeps
constexpr Color kOwnAxesColor = PURPLE; // the cube's own axes, as arrows
constexpr Color kOwnStopsColor = CYAN;  // where the own-axes turns have stopped so far

// The turn's axis is drawn this far either side of the origin: far past the picture's edges.
constexpr float kAxisReach = 100.0f;
// but towards the camera, which faces the plane z = 0 from 30 away, to this z at most: WebGL
// draws no line that passes behind the eye.
constexpr float kAxisDepth = 20.0f;
// The own axes' arrows are half as long again as the cube's edges, so that they stick out.
constexpr float kArrowLength = 7.5f;

constexpr double kFullTurn = 2.0 * std::numbers::pi;
constexpr double kArrowHead = 0.6;      // how far back from the tip the head's wings reach
constexpr double kArrowHalfWidth = 0.3; // and how far out

std::size_t at(int index) { return static_cast<std::size_t>(index); }

// `p` scaled to length `length`, in double, rounded once.
Point along(const Point& p, double length)
{
    const double norm =
        std::sqrt(static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y + static_cast<double>(p.z) * p.z);
    const double k = length / norm;
    return {static_cast<float>(p.x * k), static_cast<float>(p.y * k), static_cast<float>(p.z * k)};
}

void addStroke(MotionShapes& shapes, const Point& from, const Point& to, Color color)
{
    shapes.strokes[shapes.strokeCount++] = {from, to, color};
}

void addCube(MotionShapes& shapes, const CubeVertices& cube, Color color)
{
    for (const auto& ends : edgeEnds) {
        shapes.segments[shapes.segmentCount++] = {cube[at(ends[0])], cube[at(ends[1])], color};
    }
    for (const int v : vertexAddingOrder) {
        Point point = cube[at(v)];
        point.color = color;
        shapes.points[shapes.pointCount++] = point;
    }
}

// The arc from where `vertex` began the turn to where it is now, about the turn's axis: the
// vertex turned back by parts of the angle, so that the arc ends on it.
void addPath(MotionShapes& shapes, const MotionPlan& plan, const MotionStatus& status, int vertex)
{
    const double swept = std::clamp(static_cast<double>(status.radians), -kFullTurn, kFullTurn);
    if (!(std::fabs(swept) > 0.0)) {
        return; // no arc to draw (or no number to draw it from)
    }
    const auto strokes = static_cast<std::size_t>(std::ceil(std::fabs(swept) / kFullTurn * arcStrokesPerTurn));
    const Point& now = status.vertices[at(vertex)];
    const Point& axis = plan.axes[at(status.turn)];
    Point previous = transform(rotationAbout(axis, static_cast<float>(-swept)), now);
    for (std::size_t i = 1; i <= strokes; ++i) {
        const double back = -swept * static_cast<double>(strokes - i) / static_cast<double>(strokes);
        const Point next = i == strokes ? now : transform(rotationAbout(axis, static_cast<float>(back)), now);
        addStroke(shapes, previous, next, kPathColor);
        previous = next;
    }
}

// The turn's axis through the origin, towards the camera only as far as stays in front of it.
void addAxis(MotionShapes& shapes, const Point& axis)
{
    const Point unit = along(axis, 1.0);
    std::array<Point, 2> ends{};
    for (std::size_t e = 0; e < ends.size(); ++e) {
        const double sign = e == 0 ? -1.0 : 1.0;
        const double towardsCamera = sign * static_cast<double>(unit.z);
        const double reach = towardsCamera * kAxisReach > kAxisDepth ? kAxisDepth / towardsCamera : kAxisReach;
        ends[e] = along(axis, sign * reach);
    }
    addStroke(shapes, ends[0], ends[1], kTurnAxisColor);
}

// An arrow from the origin along `direction`, its head's wings across it in the screen's
// plane (the camera looks along -z), so that the head shows whichever way the arrow points.
Point addArrow(MotionShapes& shapes, const Point& direction)
{
    const Point tip = along(direction, kArrowLength);
    const Point unit = along(direction, 1.0);
    Point across{-unit.y, unit.x, 0.0f};
    if (std::hypot(static_cast<double>(across.x), static_cast<double>(across.y)) < 1e-6) {
        across = {1.0f, 0.0f, 0.0f}; // pointing at the camera: any way across will do
    }
    across = along(across, kArrowHalfWidth);
    for (const double side : {1.0, -1.0}) {
        const Point wing{static_cast<float>(tip.x - kArrowHead * unit.x + side * across.x),
                         static_cast<float>(tip.y - kArrowHead * unit.y + side * across.y),
                         static_cast<float>(tip.z - kArrowHead * unit.z + side * across.z)};
        addStroke(shapes, tip, wing, kOwnAxesColor);
    }
    addStroke(shapes, {}, tip, kOwnAxesColor);
    return tip;
}

} // namespace

MotionShapes motionShapes(const MotionPlan& plan, const MotionStatus& status, int vertex)
{
    MotionShapes shapes;
    // The world reading's stops are the scene's cubes; the own reading's only its first.
    const std::size_t sceneCubes = plan.reading == Reading::world ? at(std::max(status.turn, 0) + 1) : 1;
    shapes.scenePoints = sceneCubes * vertexAddingOrder.size();
    shapes.sceneSegments = sceneCubes * edgeEnds.size();

    if (status.turn >= 0) {
        addAxis(shapes, plan.axes[at(status.turn)]);
        if (vertex >= 0 && vertex < static_cast<int>(status.vertices.size())) {
            addPath(shapes, plan, status, vertex);
        }
    }
    if (plan.reading == Reading::own) {
        shapes.arrows = true;
        for (std::size_t a = 0; a < ownAxisVertex.size(); ++a) {
            shapes.arrowTips[a] = addArrow(shapes, status.vertices[at(ownAxisVertex[a])]);
        }
        for (int stop = 1; stop <= status.turn; ++stop) {
            addCube(shapes, plan.stops[at(stop)], kOwnStopsColor);
        }
    }
    addCube(shapes, status.vertices, kMovingCubeColor);
    return shapes;
}
