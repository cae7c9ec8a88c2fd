#include "scene/scene.h"
#include "testkit/fresh_scene.h"
#include "testkit/glut_window.h"
#include "viewer/camera.h"
#include "viewer/palette.h"
#include "viewer/viewer.h"
#include "viewer/window_position.h"

#include "viewer/glut_header.h"
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

class Viewer : public FreshScene {
protected:
    void SetUp() override
    {
        FreshScene::SetUp();
        ASSERT_TRUE(openGlutWindow(200, 200)) << "no window for the GL context";
    }
};

// GL maps to window coordinates in float through the matrices; allow a few float steps at 150.
constexpr float kWindowTolerance = 1e-4f;

} // namespace

TEST(Camera, CentresOnTheMiddleOfTheBounds)
{
    const struct {
        Point min;
        Point max;
        float x;
        float y;
    } cases[] = {
        {{1024, 700, 0}, {0, 0, 0}, 512.0f, 350.0f}, // an empty scene
        {{0, 0, 3}, {5, 5, -3}, 2.5f, 2.5f},
        {{-5, -5, 0}, {5, 5, 0}, 0.0f, 0.0f},
        // The sum is formed in double, so it does not overflow.
        {{3e38f, 3e38f, 0}, {3e38f, 3e38f, 0}, 3e38f, 3e38f},
    };
    for (const auto& c : cases) {
        const CameraCentre centre = cameraCentre(c.min, c.max);
        EXPECT_EQ(centre.x, c.x);
        EXPECT_EQ(centre.y, c.y);
    }
}

TEST_F(Viewer, ReshapeSetsViewportAndPerspective)
{
    const struct {
        int width;
        int height;
        int viewportHeight;
        double aspect;
    } cases[] = {
        {800, 0, 1, 800.0},
        {1024, 700, 700, 1024.0 / 700.0},
    };
    const double f = 1.0 / std::tan(45.0 / 2 * std::numbers::pi / 180.0);
    for (const auto& c : cases) {
        glMatrixMode(GL_MODELVIEW);
        reshape(c.width, c.height);

        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_PROJECTION);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], 0);
        EXPECT_EQ(viewport[1], 0);
        EXPECT_EQ(viewport[2], c.width);
        EXPECT_EQ(viewport[3], c.viewportHeight);

        // GL keeps the matrix in float: compare to within a float step of each entry.
        GLdouble m[16] = {};
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        const double near = 1.0;
        const double far = 1000.0;
        EXPECT_NEAR(m[0], f / c.aspect, 1e-6 * f / c.aspect);
        EXPECT_NEAR(m[5], f, 1e-6 * f);
        EXPECT_NEAR(m[10], (far + near) / (near - far), 1e-6);
        EXPECT_NEAR(m[11], -1.0, 0.0);
        EXPECT_NEAR(m[14], 2 * far * near / (near - far), 1e-6);
    }
}

TEST_F(Viewer, PaletteSetsTheCurrentColourAndIgnoresUnknownCodes)
{
    // By number, since the numbers are the records' interface: RED is 0, ..., BLACK 9.
    const struct {
        std::vector<Color> codes;      // applied in turn
        std::array<float, 3> expected; // red, green, blue
    } cases[] = {
        // clang-format off
        {{0}, {1.0f, 0.0f, 0.0f}},
        {{1}, {0.0f, 1.0f, 0.0f}},
        {{2}, {0.0f, 0.0f, 1.0f}},
        {{3}, {1.0f, 1.0f, 0.0f}},
        {{4}, {1.0f, 0.5f, 0.0f}},
        {{5}, {1.0f, 0.0f, 1.0f}},
        {{6}, {0.0f, 1.0f, 1.0f}},
        {{7}, {0.5f, 0.0f, 0.5f}},
        {{8}, {1.0f, 1.0f, 1.0f}},
        {{9}, {0.0f, 0.0f, 0.0f}},
        {{8, 9}, {0.0f, 0.0f, 0.0f}},
        {{2, 12}, {0.0f, 0.0f, 1.0f}},
        {{6, -1, 10}, {0.0f, 1.0f, 1.0f}},
        // clang-format on
    };
    for (const auto& c : cases) {
        glColor3f(0.25f, 0.25f, 0.25f);
        for (Color code : c.codes) {
            applyColor(code);
        }
        std::array<float, 4> seen{};
        glGetFloatv(GL_CURRENT_COLOR, seen.data());
        EXPECT_EQ((std::array<float, 3>{seen[0], seen[1], seen[2]}), c.expected);
    }
    EXPECT_FALSE(paletteColor(10).has_value());
    EXPECT_FALSE(paletteColor(-1).has_value());
}

TEST_F(Viewer, DisplayDrawsLinesThenSegmentsThenPointsInTheirOwnColours)
{
    lineList.push_back({{1, 2, 3}, {0.5f, 0, 7}, ORANGE});
    addSegment({{1, 1, 0, RED}, {3, 1, 0, RED}}, GREEN);
    addPoint({5, 5, 0}, 12); // no colour of its own: keeps the segment's green

    // Feedback mode hands back each primitive as window coordinates plus colour. With this
    // orthographic camera a scene point (x, y) lands at window (x + 100, y + 100).
    glViewport(0, 0, 200, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-100, 100, -100, 100, -1, 1);
    std::vector<GLfloat> feedback(256);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D_COLOR, feedback.data());
    while (glGetError() != GL_NO_ERROR) {
    }
    glRenderMode(GL_FEEDBACK);
    display();
    // Every glBegin has its glEnd: a missing one is an error even where the feedback happens
    // to come out the same.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    feedback.resize(static_cast<std::size_t>(glRenderMode(GL_RENDER)));

    struct Vertex {
        float x, y, r, g, b;
    };
    struct Primitive {
        GLfloat token;
        std::vector<Vertex> vertices;
    };
    const Vertex orange1{151, 102, 1, 0.5f, 0}, orange2{51, 102, 1, 0.5f, 0};
    const Vertex green1{101, 101, 0, 1, 0}, green2{103, 101, 0, 1, 0}, green3{105, 105, 0, 1, 0};
    const std::vector<Primitive> expected = {
        // clang-format off
        {GL_LINE_TOKEN, {orange1, orange2}},
        {GL_LINE_TOKEN, {green1, green2}},
        {GL_POINT_TOKEN, {green1}},
        {GL_POINT_TOKEN, {green2}},
        {GL_POINT_TOKEN, {green3}},
        // clang-format on
    };

    std::size_t at = 0;
    for (const Primitive& primitive : expected) {
        ASSERT_LT(at, feedback.size());
        // A line may come as either token; which one depends only on stippling.
        const GLfloat token = feedback[at] == GL_LINE_RESET_TOKEN ? GL_LINE_TOKEN : feedback[at];
        EXPECT_EQ(token, primitive.token);
        ++at;
        for (const Vertex& v : primitive.vertices) {
            ASSERT_LE(at + 7, feedback.size());
            const GLfloat* got = &feedback[at]; // x, y, z, r, g, b, a
            EXPECT_NEAR(got[0], v.x, kWindowTolerance);
            EXPECT_NEAR(got[1], v.y, kWindowTolerance);
            EXPECT_EQ(got[3], v.r);
            EXPECT_EQ(got[4], v.g);
            EXPECT_EQ(got[5], v.b);
            at += 7;
        }
    }
    EXPECT_EQ(at, feedback.size());

    GLfloat pointSize = 0;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    EXPECT_EQ(pointSize, 4.0f);
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST_F(Viewer, WindowPositionIsWhereGlDrawsThePointCountedFromTheTopLeft)
{
    const struct {
        int width;
        int height;
        Point point;
    } cases[] = {
        // clang-format off
        {200, 200, {2.5f, 2.5f, 0}}, // the camera's centre: the middle of the viewport
        {1024, 700, {0, 5, 5}},
        {1024, 700, {5, 0, 0}},
        {1024, 700, {-3, 4, -2}},
        {640, 480, {4, -1, 3}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(-2.5f, -2.5f, -30.0f); // the viewer's camera for the starting cube
        reshape(c.width, c.height);
        const WindowPosition at = windowPosition(c.point);

        // GL's own answer, from feedback mode: window coordinates counted from the bottom.
        std::array<GLfloat, 8> feedback{};
        glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_2D, feedback.data());
        glRenderMode(GL_FEEDBACK);
        glBegin(GL_POINTS);
        glVertex3f(c.point.x, c.point.y, c.point.z);
        glEnd();
        ASSERT_EQ(glRenderMode(GL_RENDER), 3);
        ASSERT_EQ(feedback[0], GL_POINT_TOKEN);
        // Sub-pixel agreement is all the labels need; GL itself rounds to its own precision.
        EXPECT_NEAR(at.x, feedback[1], 1e-3);
        EXPECT_NEAR(at.y, c.height - feedback[2], 1e-3);
    }
    // Worked by hand: the camera's centre is the middle of a 200x200 viewport.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-2.5f, -2.5f, -30.0f);
    reshape(200, 200);
    const WindowPosition centre = windowPosition({2.5f, 2.5f, 0});
    EXPECT_NEAR(centre.x, 100.0, 1e-9);
    EXPECT_NEAR(centre.y, 100.0, 1e-9);
    // A point in the eye's plane has no place on the screen.
    const WindowPosition nowhere = windowPosition({2.5f, 2.5f, 30});
    EXPECT_TRUE(std::isnan(nowhere.x) && std::isnan(nowhere.y));
}
