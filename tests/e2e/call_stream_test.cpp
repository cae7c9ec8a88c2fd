#include "program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

using CallStream = OnScreen;

struct Xyz {
    float x, y, z;
};

// The starting cube's vertices in adding order, and its edges E1..E12.
const Xyz kVertices[] = {{0, 0, 0}, {5, 0, 0}, {5, 0, 5}, {0, 0, 5}, {5, 5, 5}, {5, 5, 0}, {0, 5, 0}, {0, 5, 5}};
const int kEdges[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {5, 4}, {4, 7},
                         {7, 6}, {6, 5}, {0, 6}, {1, 5}, {2, 4}, {3, 7}};

// apitrace prints a float with seven significant digits.
std::string number(float value)
{
    std::ostringstream text;
    text.precision(7);
    text << value;
    return text.str();
}

std::string vertex(const Xyz& v)
{
    return "glVertex3f(x = " + number(v.x) + ", y = " + number(v.y) + ", z = " + number(v.z) + ")";
}

// The calls one frame must make for the cubes given, red first.
std::vector<std::string> expectedFrame(const std::vector<std::vector<Xyz>>& cubes)
{
    const char* colours[] = {"glColor3f(red = 1, green = 0, blue = 0)", "glColor3f(red = 0, green = 0, blue = 1)",
                             "glColor3f(red = 0, green = 1, blue = 0)", "glColor3f(red = 1, green = 1, blue = 0)"};
    std::vector<std::string> calls = {"glClear(mask = GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)", "glPushMatrix()"};
    for (std::size_t c = 0; c < cubes.size(); ++c) {
        for (const auto& edge : kEdges) {
            const std::string ends[] = {vertex(cubes[c][edge[0]]), vertex(cubes[c][edge[1]])};
            calls.insert(calls.end(), {"glPointSize(size = 4)", colours[c], "glBegin(mode = GL_LINES)", ends[0],
                                       ends[1], "glEnd()", "glBegin(mode = GL_POINTS)", ends[0], ends[1], "glEnd()"});
        }
    }
    for (std::size_t c = 0; c < cubes.size(); ++c) {
        for (const Xyz& v : cubes[c]) {
            calls.insert(calls.end(),
                         {colours[c], "glPointSize(size = 4)", "glBegin(mode = GL_POINTS)", vertex(v), "glEnd()"});
        }
    }
    calls.insert(calls.end(), {"glPopMatrix()", "glFlush()"});
    return calls;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

} // namespace

TEST_F(CallStream, FirstFrameDrawsEverySegmentThenEveryPointAtItsCoordinates)
{
    const std::string dir = makeTempDir();
    const std::string trace = dir + "/run.trace";
    {
        ProgramOnScreen program(*x, server.name(), "90\n0\n0\n", {"apitrace", "trace", "-o", trace, kProgramPath});
        ASSERT_TRUE(program.window()) << program.errors();
        ASSERT_TRUE(program.waitForFrame());
        ASSERT_EQ(program.closeAndWait(), 0);
    }
    const ChildProcess dump =
        startProcess({"apitrace", "dump", "--color=never", "--call-nos=no", trace}, "", std::nullopt, dir);
    ASSERT_EQ(waitForExit(dump.pid, kExitTimeout), 0) << readFile(dump.stderrPath);
    const std::vector<std::string> calls = lines(readFile(dump.stdoutPath));

    // A quarter turn about X, worked out by hand: (x, y, z) -> (x, y c - z, y + z c) with the
    // float cosine c of the float nearest pi/2, summed in double from +0.0. Zero turns about
    // Y and Z then leave it where it is.
    const double c = static_cast<float>(std::cos(static_cast<double>(std::numbers::pi_v<float> / 2)));
    std::vector<Xyz> start(std::begin(kVertices), std::end(kVertices));
    std::vector<Xyz> turned;
    for (const Xyz& v : kVertices) {
        turned.push_back({v.x, static_cast<float>(0.0 + v.y * c - v.z), static_cast<float>(0.0 + v.y + v.z * c)});
    }
    const std::vector<std::string> expected = expectedFrame({start, turned, turned, turned});

    std::size_t first = 0;
    while (first < calls.size() && calls[first].rfind("glClear(", 0) != 0) {
        ++first;
    }
    ASSERT_LT(first, calls.size()) << "no frame in the trace";
    ASSERT_GE(calls.size() - first, expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(calls[first + i], expected[i]) << "call " << i << " of the frame";
    }
    // GLUT may flush once more itself before it swaps; nothing else may come in between.
    std::size_t next = first + expected.size();
    while (next < calls.size() && calls[next] == "glFlush()") {
        ++next;
    }
    ASSERT_LT(next, calls.size());
    EXPECT_EQ(calls[next].rfind("glXSwapBuffers(", 0), 0u) << calls[next];

    for (const std::string& call : calls) {
        EXPECT_NE(call.rfind("glEnable(", 0), 0u) << call;
    }
}
