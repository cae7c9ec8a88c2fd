// The native program's camera applied to its own scene, which the page's corner positions
// are compared with. Answers the console stages with the whole of standard input, opens the
// window as the viewer does (on the display in DISPLAY), gives it its size as GLUT does
// before the first frame, and prints where Mesa's gluProject puts V0..V7 of each cube, in
// pixels from the window's top-left corner, as JSON: [[[x, y] for V0..V7] for each cube].

#include "scene/scene.h"
#include "testkit/console_stages.h"
#include "testkit/program_facts.h"
#include "viewer/glut_header.h"
#include "viewer/viewer.h"

#include <array>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::string input{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    runConsoleStages(input);
    openWindow(argc, argv);
    reshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));

    std::array<GLdouble, 16> modelview{};
    std::array<GLdouble, 16> projection{};
    std::array<GLint, 4> viewport{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());

    const std::vector<Point> points(pointList.begin(), pointList.end());
    std::fputs("[", stdout);
    for (std::size_t cube = 0; cube * 8 < points.size(); ++cube) {
        std::array<std::array<double, 2>, 8> byLabel{};
        for (std::size_t i = 0; i < kAddingOrder.size(); ++i) {
            const Point& p = points.at(cube * 8 + i);
            GLdouble x = 0;
            GLdouble y = 0;
            GLdouble z = 0;
            gluProject(p.x, p.y, p.z, modelview.data(), projection.data(), viewport.data(), &x, &y, &z);
            byLabel.at(static_cast<std::size_t>(kAddingOrder.at(i))) = {x, viewport[1] + viewport[3] - y};
        }
        std::fputs(cube == 0 ? "[" : ", [", stdout);
        for (std::size_t label = 0; label < byLabel.size(); ++label) {
            std::printf("%s[%.6f, %.6f]", label == 0 ? "" : ", ", byLabel[label][0], byLabel[label][1]);
        }
        std::fputs("]", stdout);
    }
    std::fputs("]\n", stdout);
    return 0;
}
