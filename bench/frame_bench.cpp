// Frame cost: display() against a bare loop that issues the same OpenGL calls from plain
// arrays, for the program's own four-cube scene and for larger scenes of segments. Both
// run side by side in one window, alternating, and each frame ends with glFinish so that
// the rendering is paid for inside the measurement.

#include "scene/scene.h"
#include "stats.h"
#include "testkit/console_stages.h"
#include "testkit/glut_window.h"
#include "testkit/scene_reset.h"
#include "viewer/camera.h"
#include "viewer/palette.h"
#include "viewer/viewer.h"

#include "viewer/glut_header.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 9;
constexpr double kMeasureSeconds = 0.15; // at least this long per measurement

struct BareSegment {
    float x1, y1, z1, x2, y2, z2;
    float r, g, b;
};

struct BarePoint {
    float x, y, z;
    float r, g, b;
};

// The scene as plain arrays, colours already looked up.
std::vector<BareSegment> bareSegments;
std::vector<BarePoint> barePoints;

void bareFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    for (const BareSegment& s : bareSegments) {
        glPointSize(4.0f);
        glColor3f(s.r, s.g, s.b);
        glBegin(GL_LINES);
        glVertex3f(s.x1, s.y1, s.z1);
        glVertex3f(s.x2, s.y2, s.z2);
        glEnd();
        glBegin(GL_POINTS);
        glVertex3f(s.x1, s.y1, s.z1);
        glVertex3f(s.x2, s.y2, s.z2);
        glEnd();
    }
    for (const BarePoint& p : barePoints) {
        glColor3f(p.r, p.g, p.b);
        glPointSize(4.0f);
        glBegin(GL_POINTS);
        glVertex3f(p.x, p.y, p.z);
        glEnd();
    }
    glPopMatrix();
    glFlush();
    glutSwapBuffers();
}

void copyToBareArrays()
{
    bareSegments.clear();
    barePoints.clear();
    for (const Segment& s : segmentList) {
        const Rgb c = *paletteColor(s.color);
        bareSegments.push_back({s.first.x, s.first.y, s.first.z, s.second.x, s.second.y, s.second.z, c.r, c.g, c.b});
    }
    for (const Point& p : pointList) {
        const Rgb c = *paletteColor(p.color);
        barePoints.push_back({p.x, p.y, p.z, c.r, c.g, c.b});
    }
}

// Segments scattered over the cubes' space, in the four cube colours.
void randomSegments(int count)
{
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / static_cast<float>(1u << 24) * 10.0f - 5.0f;
    };
    for (int i = 0; i < count; ++i) {
        const Point a{next(), next(), next()};
        const Point b{next(), next(), next()};
        addSegment({a, b}, i % 4);
    }
}

// Seconds per frame over enough frames to last kMeasureSeconds.
double secondsPerFrame(const std::function<void()>& frame, int frames)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        frame();
        glFinish();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / frames;
}

struct FrameCost {
    double display; // median seconds per frame
    double bare;    // the same for the bare loop
    double ratio;   // median of the per-round ratios
};

FrameCost measure()
{
    copyToBareArrays();
    const CameraCentre centre = cameraCentre(sceneMin, sceneMax);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-centre.x, -centre.y, -30.0f);
    reshape(1024, 700);

    // Warm up, and size the measurement from one frame.
    secondsPerFrame(display, 3);
    const double once = secondsPerFrame(bareFrame, 3);
    const int frames = std::max(3, static_cast<int>(kMeasureSeconds / once));

    std::vector<double> ours, bare, ratios;
    for (int round = 0; round < rounds(kRounds); ++round) {
        // Alternate which goes first, so that neither always follows the other.
        double a = 0, b = 0;
        if (round % 2 == 0) {
            a = secondsPerFrame(display, frames);
            b = secondsPerFrame(bareFrame, frames);
        } else {
            b = secondsPerFrame(bareFrame, frames);
            a = secondsPerFrame(display, frames);
        }
        ours.push_back(a);
        bare.push_back(b);
        ratios.push_back(a / b);
    }
    return {median(ours), median(bare), median(ratios)};
}

} // namespace

int main(int argc, char** argv)
{
    const bool rendererOnly = argc > 1 && std::string(argv[1]) == "--renderer";
    if (!openGlutWindow(1024, 700)) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);
    if (rendererOnly) {
        std::printf("%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
        return 0;
    }

    resetScene();
    runConsoleStages("30 45 60\n");
    const FrameCost cubes = measure();
    printRow("frame cost, four-cube scene (48 segments, 32 points): display() / bare loop",
             format("%.3f×", cubes.ratio) + format(" (%.3f ms", cubes.display * 1e3) +
                 format(" / %.3f ms)", cubes.bare * 1e3),
             "≤ 1.05×");

    std::vector<FrameCost> costs;
    const int sizes[] = {1000, 10000, 100000};
    for (int size : sizes) {
        resetScene();
        randomSegments(size);
        const FrameCost cost = measure();
        costs.push_back(cost);
        printRow("frame cost, " + std::to_string(size) + " segments: display() / bare loop",
                 format("%.3f×", cost.ratio) + format(" (%.2f ms", cost.display * 1e3) +
                     format(" / %.2f ms", cost.bare * 1e3) + format("; %.2f µs a segment)", cost.display / size * 1e6),
                 "≤ 1.05×");
    }
    // Linear means display() grows with the scene as the bare loop does, which costs
    // nothing per segment beyond the OpenGL calls themselves.
    const double ours = costs[2].display / costs[0].display;
    const double bare = costs[2].bare / costs[0].bare;
    printRow("growth of the frame cost from 10³ to 10⁵ segments: display() / bare loop",
             format("%.3f×", ours / bare) + format(" (%.1f×", ours) + format(" / %.1f×)", bare), "≈ 1× (linear)");
    return 0;
}
