// The OpenGL calls the program makes, read back from an apitrace of one run answered
// 90, 0, 0. These tests look like they restate viewer.cpp, and that is the point: the
// sequence of calls itself is the program's contract (which matrix each call lands on, the
// order in which the scene is painted over), and a change to it is a change of behaviour
// even where the first frame happens to look the same.
#include "program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

class CallStream : public OnScreen {
protected:
    // Every call of one run, up to its first frame and a little past it.
    void trace(std::vector<std::string>& calls)
    {
        const std::string dir = makeTempDir();
        const std::string file = dir + "/run.trace";
        {
            ProgramOnScreen program(*x, server.name(), "90\n0\n0\n", {"apitrace", "trace", "-o", file, kProgramPath});
            ASSERT_TRUE(program.window()) << program.noWindow();
            ASSERT_TRUE(program.waitForFrame());
            ASSERT_EQ(program.closeAndWait(), 0);
        }
        const ChildProcess dump =
            startProcess({"apitrace", "dump", "--color=never", "--call-nos=no", file}, "", std::nullopt, dir);
        ASSERT_EQ(waitForExit(dump.pid, kExitTimeout), 0) << readFile(dump.stderrPath);
        calls = lines(readFile(dump.stdoutPath));
    }
};

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

// The calls one frame must make for the cubes given (each vertex by its label), red first.
std::vector<std::string> expectedFrame(const std::vector<std::vector<Xyz>>& cubes)
{
    const char* colours[] = {"glColor3f(red = 1, green = 0, blue = 0)", "glColor3f(red = 0, green = 0, blue = 1)",
                             "glColor3f(red = 0, green = 1, blue = 0)", "glColor3f(red = 1, green = 1, blue = 0)"};
    std::vector<std::string> calls = {"glClear(mask = GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)", "glPushMatrix()"};
    for (std::size_t c = 0; c < cubes.size(); ++c) {
        for (const auto& edge : kEdgeLabels) {
            const std::string ends[] = {vertex(cubes[c][edge[0]]), vertex(cubes[c][edge[1]])};
            calls.insert(calls.end(), {"glPointSize(size = 4)", colours[c], "glBegin(mode = GL_LINES)", ends[0],
                                       ends[1], "glEnd()", "glBegin(mode = GL_POINTS)", ends[0], ends[1], "glEnd()"});
        }
    }
    for (std::size_t c = 0; c < cubes.size(); ++c) {
        for (const int label : kAddingOrder) {
            calls.insert(calls.end(), {colours[c], "glPointSize(size = 4)", "glBegin(mode = GL_POINTS)",
                                       vertex(cubes[c][label]), "glEnd()"});
        }
    }
    calls.insert(calls.end(), {"glPopMatrix()", "glFlush()"});
    return calls;
}

} // namespace

TEST_F(CallStream, FirstFrameDrawsEverySegmentThenEveryPointAtItsCoordinates)
{
    std::vector<std::string> calls;
    ASSERT_NO_FATAL_FAILURE(trace(calls));

    // A quarter turn about X, worked out by hand: (x, y, z) -> (x, y c - z, y + z c) with the
    // float cosine c of the float nearest pi/2, summed in double from +0.0. Zero turns about
    // Y and Z then leave it where it is.
    const double c = static_cast<float>(std::cos(static_cast<double>(std::numbers::pi_v<float> / 2)));
    const std::vector<Xyz> start(kCubeVertices.begin(), kCubeVertices.end());
    std::vector<Xyz> turned;
    for (const Xyz& v : kCubeVertices) {
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

// The window's set-up and the first reshape, before anything is drawn: each matrix is
// selected before it is loaded, the set-up's projection (GLU's calls, shown as <GLU>) is
// made and then replaced by the reshape's, and the modelview holds the camera's translation.
TEST_F(CallStream, SetUpAndReshapeSelectEachMatrixBeforeLoadingIt)
{
    std::vector<std::string> calls;
    ASSERT_NO_FATAL_FAILURE(trace(calls));

    // Our own calls before the first frame, each run of GLU's matrix calls as one <GLU>;
    // the window system's calls and apitrace's own notes are left out.
    std::vector<std::string> setUp;
    for (const std::string& call : calls) {
        if (call.rfind("glClear(", 0) == 0) {
            break;
        }
        const bool glu = call.rfind("glMultMatrix", 0) == 0 || call.rfind("glTranslated(", 0) == 0;
        if (call.rfind("glX", 0) == 0 || call.rfind("//", 0) == 0 || call.ends_with("// fake") ||
            (glu && !setUp.empty() && setUp.back() == "<GLU>")) {
            continue;
        }
        setUp.push_back(glu ? "<GLU>" : call);
    }
    // 90, 0, 0 puts the cubes between y = -5 and 5 and x = 0 and 5: the centre is (2.5, 0).
    const std::vector<std::string> expected = {
        "glClearColor(red = 0.9, green = 0.9, blue = 0.8, alpha = 0)",
        "glMatrixMode(mode = GL_PROJECTION)",
        "glLoadIdentity()",
        "<GLU>",
        "glMatrixMode(mode = GL_MODELVIEW)",
        "glLoadIdentity()",
        "glTranslatef(x = -2.5, y = -0, z = -30)",
        "glMatrixMode(mode = GL_PROJECTION)",
        "glLoadIdentity()",
        "glViewport(x = 0, y = 0, width = 1024, height = 700)",
        "<GLU>",
    };
    EXPECT_EQ(setUp, expected);
}
