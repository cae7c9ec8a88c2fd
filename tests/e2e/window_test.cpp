#include "program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

using Window = OnScreen;

struct Vec {
    double x, y, z;
};

// Quarter and half turns by hand, so the probes do not depend on the code under test.
Vec quarterAboutX(Vec v) { return {v.x, -v.z, v.y}; }
Vec quarterAboutY(Vec v) { return {v.z, v.y, -v.x}; }
Vec halfAboutZ(Vec v) { return {-v.x, -v.y, v.z}; }

struct Pixel {
    int column;
    int row;
};

// Where the camera puts a scene point in the 1024 x 700 window: eye at (cx, cy, 30) looking
// down -z, 45 degrees of vertical field of view.
Pixel project(Vec v, double cx, double cy)
{
    const double f = 1.0 / std::tan(45.0 / 2 * std::numbers::pi / 180.0);
    const double aspect = 1024.0 / 700.0;
    const double depth = 30.0 - v.z;
    const double ndcX = f / aspect * (v.x - cx) / depth;
    const double ndcY = f * (v.y - cy) / depth;
    const double windowX = (ndcX + 1) * 512;
    const double windowY = (ndcY + 1) * 350;
    return {static_cast<int>(std::floor(windowX)), 699 - static_cast<int>(std::floor(windowY))};
}

} // namespace

// The window is found by its title, and closed as a window manager closes it (every window
// test checks that the program then ends with status 0).
TEST_F(Window, FirstFrameIs1024By700AndShowsEachCubeInItsColour)
{
    // 90, 90, 180 puts the four cubes in four different places.
    std::vector<Vec> cubes[4];
    for (const Xyz& corner : kCubeVertices) {
        const Vec v{corner.x, corner.y, corner.z};
        const Vec blue = quarterAboutX(v);
        const Vec green = quarterAboutY(blue);
        cubes[0].push_back(v);
        cubes[1].push_back(blue);
        cubes[2].push_back(green);
        cubes[3].push_back(halfAboutZ(green));
    }
    // The start bounds (0..1024, 0..700) lose to the cubes, which span -5..5 in x and y.
    const double cx = 0.0;
    const double cy = 0.0;

    ProgramOnScreen program(*x, server.name(), "90 90 180\n", programUnderTest());
    ASSERT_TRUE(program.window()) << program.noWindow();
    const WindowSize size = x->size(*program.window());
    ASSERT_EQ(size.width, 1024);
    ASSERT_EQ(size.height, 700);
    ASSERT_TRUE(program.waitForFrame());
    const Snapshot shot(x->display(), *program.window());
    ASSERT_TRUE(shot.valid());

    EXPECT_TRUE(nearlyEqual(shot.at(0, 0), kBackground));
    EXPECT_TRUE(nearlyEqual(shot.at(1023, 699), kBackground));

    const Rgb8 colours[] = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 0}};
    for (int cube = 0; cube < 4; ++cube) {
        int probes = 0;
        for (const Vec& v : cubes[cube]) {
            // Points are painted in adding order, so a vertex shows its own colour unless a
            // point of a later cube lands on the same 4 x 4 pixels.
            const Pixel p = project(v, cx, cy);
            bool covered = false;
            for (int later = cube + 1; later < 4; ++later) {
                for (const Vec& w : cubes[later]) {
                    const Pixel q = project(w, cx, cy);
                    covered = covered || (std::abs(p.column - q.column) < 6 && std::abs(p.row - q.row) < 6);
                }
            }
            if (covered) {
                continue;
            }
            ++probes;
            const Rgb8 seen = shot.at(p.column, p.row);
            EXPECT_TRUE(seen.r == colours[cube].r && seen.g == colours[cube].g && seen.b == colours[cube].b)
                << "cube " << cube << " vertex (" << v.x << ", " << v.y << ", " << v.z << ") at " << p.column << ","
                << p.row << " is " << seen.r << "," << seen.g << "," << seen.b;
        }
        EXPECT_GE(probes, 3) << "cube " << cube;
    }
    EXPECT_EQ(program.closeAndWait(), 0);
}

// The arguments go to GLUT: with no DISPLAY in the environment, -display names the server.
TEST_F(Window, OpensOnTheDisplayItsOptionNames)
{
    const std::string dir = makeTempDir();
    std::vector<std::string> command = programUnderTest();
    command.insert(command.end(), {"-display", server.name()});
    ChildProcess child = startProcess(command, "30 45 60\n", std::nullopt, dir);
    const auto window = x->waitForWindow(kTitle, kStartTimeout);
    if (!window) {
        killProcess(child.pid);
    }
    ASSERT_TRUE(window) << readFile(child.stderrPath);
    x->close(*window);
    EXPECT_EQ(waitForExit(child.pid, kExitTimeout), 0);
}
