#include "window_position.h"

#include "geometry/records.h"
#include "glut_header.h" // IWYU pragma: keep (OpenGL)

#include <array>
#include <cmath>
#include <cstddef>

namespace {

// GL's matrices are column-major: entry (row, column) is at 4 * column + row.
std::array<double, 4> times(const std::array<GLfloat, 16>& m, const std::array<double, 4>& v)
{
    std::array<double, 4> result{};
    for (std::size_t row = 0; row < 4; ++row) {
        for (std::size_t column = 0; column < 4; ++column) {
            result[row] += static_cast<double>(m[4 * column + row]) * v[column];
        }
    }
    return result;
}

} // namespace

WindowPosition windowPosition(const Point& point)
{
    std::array<GLfloat, 16> modelview{};
    std::array<GLfloat, 16> projection{};
    std::array<GLint, 4> viewport{};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const std::array<double, 4> clip = times(projection, times(modelview, {point.x, point.y, point.z, 1.0}));
    // Clipped away in depth (behind the eye, nearer than the near plane or past the far
    // one): GL draws nothing there, and a projection would put it mirrored on the screen.
    if (!(clip[3] > 0.0) || clip[2] < -clip[3] || clip[2] > clip[3]) {
        return {NAN, NAN};
    }
    const double fromLeft = viewport[0] + (clip[0] / clip[3] + 1.0) * 0.5 * viewport[2];
    const double fromBottom = viewport[1] + (clip[1] / clip[3] + 1.0) * 0.5 * viewport[3];
    return {fromLeft, viewport[1] + viewport[3] - fromBottom};
}
