// Framebuffer objects, for frames read back whatever the window system does with its buffers.
#define GL_GLEXT_PROTOTYPES

#include "app/motion.h"
#include "app/motion_shapes.h"
#include "scene/scene.h"
#include "testkit/console_stages.h"
#include "testkit/fresh_scene.h"
#include "testkit/glut_window.h"
#include "viewer/camera.h"
#include "viewer/motion_picture.h"
#include "viewer/palette.h"
#include "viewer/viewer.h"
#include "viewer/window_position.h"

#include "viewer/glut_header.h"
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
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
    void TearDown() override { clearMotion(); }
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

namespace {

// A camera under which a scene point (x, y) lands at window (x + 100, y + 100), for reading
// back what display() draws.
void orthographicCamera()
{
    glViewport(0, 0, 200, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-100, 100, -100, 100, -1, 1);
}

// A primitive as feedback mode hands it back: its token and each vertex's window x and y and
// red, green and blue.
struct Fed {
    GLfloat token;
    std::vector<std::array<GLfloat, 5>> vertices;
};

// What display() draws under orthographicCamera.
std::vector<Fed> feedbackOfDisplay()
{
    orthographicCamera();
    std::vector<GLfloat> buffer(1024);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    while (glGetError() != GL_NO_ERROR) {
    }
    glRenderMode(GL_FEEDBACK);
    display();
    // Every glBegin has its glEnd: a missing one is an error even where the feedback happens
    // to come out the same.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    buffer.resize(static_cast<std::size_t>(glRenderMode(GL_RENDER)));
    std::vector<Fed> primitives;
    for (std::size_t at = 0; at < buffer.size();) {
        // A line may come as either token; which one depends only on stippling.
        const GLfloat token = buffer[at] == GL_LINE_RESET_TOKEN ? GL_LINE_TOKEN : buffer[at];
        Fed primitive{token, {}};
        ++at;
        for (int v = 0; v < (token == GL_POINT_TOKEN ? 1 : 2) && at + 7 <= buffer.size(); ++v, at += 7) {
            primitive.vertices.push_back({buffer[at], buffer[at + 1], buffer[at + 3], buffer[at + 4], buffer[at + 5]});
        }
        primitives.push_back(primitive);
    }
    return primitives;
}

// The primitives in order, each vertex where expected to within kWindowTolerance and in
// exactly the expected colour (the palette's intensities are exact in float).
void expectFrame(const std::vector<Fed>& frame, const std::vector<Fed>& expected)
{
    ASSERT_EQ(frame.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(frame[i].token, expected[i].token) << "primitive " << i;
        ASSERT_EQ(frame[i].vertices.size(), expected[i].vertices.size()) << "primitive " << i;
        for (std::size_t v = 0; v < expected[i].vertices.size(); ++v) {
            const std::array<GLfloat, 5>& got = frame[i].vertices[v];
            const std::array<GLfloat, 5>& want = expected[i].vertices[v];
            EXPECT_NEAR(got[0], want[0], kWindowTolerance) << "primitive " << i << ", vertex " << v;
            EXPECT_NEAR(got[1], want[1], kWindowTolerance) << "primitive " << i << ", vertex " << v;
            EXPECT_EQ((std::array<GLfloat, 3>{got[2], got[3], got[4]}),
                      (std::array<GLfloat, 3>{want[2], want[3], want[4]}))
                << "primitive " << i << ", vertex " << v;
        }
    }
}

} // namespace

TEST_F(Viewer, DisplayDrawsLinesThenSegmentsThenPointsInTheirOwnColours)
{
    lineList.push_back({{1, 2, 3}, {0.5f, 0, 7}, ORANGE});
    addSegment({{1, 1, 0, RED}, {3, 1, 0, RED}}, GREEN);
    addPoint({5, 5, 0}, 12); // no colour of its own: keeps the segment's green

    const std::vector<Fed> frame = feedbackOfDisplay();

    const std::array<GLfloat, 5> orange1{151, 102, 1, 0.5f, 0}, orange2{51, 102, 1, 0.5f, 0};
    const std::array<GLfloat, 5> green1{101, 101, 0, 1, 0}, green2{103, 101, 0, 1, 0}, green3{105, 105, 0, 1, 0};
    const std::vector<Fed> expected = {
        // clang-format off
        {GL_LINE_TOKEN, {orange1, orange2}},
        {GL_LINE_TOKEN, {green1, green2}},
        {GL_POINT_TOKEN, {green1}},
        {GL_POINT_TOKEN, {green2}},
        {GL_POINT_TOKEN, {green3}},
        // clang-format on
    };
    expectFrame(frame, expected);

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
    // Points that GL clips away in depth have no place on the screen: in the eye's plane,
    // behind the eye, nearer than the near plane (1 unit) or past the far plane (1000).
    for (const float z : {30.0f, 31.0f, 60.0f, 29.5f, -1000.0f}) {
        SCOPED_TRACE(z);
        const WindowPosition nowhere = windowPosition({2.5f, 2.5f, z});
        EXPECT_TRUE(std::isnan(nowhere.x) && std::isnan(nowhere.y));
        std::array<GLfloat, 8> feedback{};
        glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_2D, feedback.data());
        glRenderMode(GL_FEEDBACK);
        glBegin(GL_POINTS);
        glVertex3f(2.5f, 2.5f, z);
        glEnd();
        EXPECT_EQ(glRenderMode(GL_RENDER), 0); // GL drew nothing either
    }
}

namespace {

// A frame drawn by display() into a framebuffer of the window's size, as 8-bit RGB rows from
// the bottom.
class Frame {
public:
    Frame(int width, int height) : width_(width), height_(height)
    {
        glGenFramebuffers(1, &framebuffer_);
        glGenRenderbuffers(1, &colour_);
        glBindRenderbuffer(GL_RENDERBUFFER, colour_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
    ~Frame()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(1, &colour_);
        glDeleteFramebuffers(1, &framebuffer_);
    }

    bool complete() const { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }

    std::vector<std::uint8_t> draw() const
    {
        display();
        glFinish();
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // The pixel under a window position counted from the top left, as windowPosition gives it.
    std::array<int, 3> at(const std::vector<std::uint8_t>& pixels, WindowPosition where) const
    {
        const auto column = static_cast<std::size_t>(where.x);
        const auto row = static_cast<std::size_t>(height_ - where.y);
        const std::size_t i = (row * static_cast<std::size_t>(width_) + column) * 3;
        return {pixels.at(i), pixels.at(i + 1), pixels.at(i + 2)};
    }

private:
    int width_;
    int height_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
};

} // namespace

TEST_F(Viewer, MotionDrawsTheScenesFirstEntriesThenItsOwnOverThem)
{
    addSegment({{1, 1, 0}, {3, 1, 0}}, RED);
    addSegment({{1, 9, 0}, {3, 9, 0}}, BLUE);
    addPoint({5, 5, 0}, RED);
    addPoint({6, 6, 0}, BLUE);
    const Segment strokes[] = {
        {{0, 0, 0}, {2, 2, 0}, ORANGE}, {{2, 2, 0}, {4, 2, 0}, ORANGE}, {{0, 4, 0}, {4, 4, 0}, BLACK}};
    const Segment segments[] = {{{7, 1, 0}, {7, 3, 0}, MAGENTA}};
    const Point points[] = {{8, 8, 0, MAGENTA}};
    showMotion({1, 1, strokes, segments, points});

    const std::vector<Fed> frame = feedbackOfDisplay();

    const std::array<GLfloat, 5> red1{101, 101, 1, 0, 0}, red2{103, 101, 1, 0, 0}, red3{105, 105, 1, 0, 0};
    const std::array<GLfloat, 5> orange1{100, 100, 1, 0.5f, 0}, orange2{102, 102, 1, 0.5f, 0},
        orange3{104, 102, 1, 0.5f, 0};
    const std::array<GLfloat, 5> black1{100, 104, 0, 0, 0}, black2{104, 104, 0, 0, 0};
    const std::array<GLfloat, 5> magenta1{107, 101, 1, 0, 1}, magenta2{107, 103, 1, 0, 1}, magenta3{108, 108, 1, 0, 1};
    const std::vector<Fed> expected = {
        // clang-format off
        {GL_LINE_TOKEN, {red1, red2}}, {GL_POINT_TOKEN, {red1}}, {GL_POINT_TOKEN, {red2}},
        {GL_LINE_TOKEN, {orange1, orange2}}, {GL_LINE_TOKEN, {orange2, orange3}}, {GL_LINE_TOKEN, {black1, black2}},
        {GL_LINE_TOKEN, {magenta1, magenta2}}, {GL_POINT_TOKEN, {magenta1}}, {GL_POINT_TOKEN, {magenta2}},
        {GL_POINT_TOKEN, {red3}},
        {GL_POINT_TOKEN, {magenta3}},
        // clang-format on
    };
    expectFrame(frame, expected);
}

TEST_F(Viewer, MovingCubeIsInItsColourAtItsCornersAndClearingItGivesTodaysFrameBack)
{
    // The program's scene and camera, for one run.
    const AxisTurns turns = runConsoleStages("30 45 60").turns;
    const CameraCentre centre = cameraCentre(sceneMin, sceneMax);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-centre.x, -centre.y, -30.0f);
    reshape(1024, 700);
    const Frame frame(1024, 700);
    ASSERT_TRUE(frame.complete());
    const std::vector<std::uint8_t> today = frame.draw();

    for (const Reading reading : {Reading::world, Reading::own}) {
        const MotionPlan plan = planMotion(reading, turns);
        for (const double position : {0.0, 0.4, 1.0, 1.7, 2.5, 3.0}) {
            SCOPED_TRACE(testing::Message() << "reading " << static_cast<int>(reading) << ", position " << position);
            const MotionStatus status = motionAt(plan, position);
            const MotionShapes shapes = motionShapes(plan, status, 7);
            showMotion({shapes.scenePoints, shapes.sceneSegments, std::span(shapes.strokes.data(), shapes.strokeCount),
                        std::span(shapes.segments.data(), shapes.segmentCount),
                        std::span(shapes.points.data(), shapes.pointCount)});
            const std::vector<std::uint8_t> moving = frame.draw();
            for (std::size_t v = 0; v < 8; ++v) {
                const std::array<int, 3> magenta{255, 0, 255};
                EXPECT_EQ(frame.at(moving, windowPosition(status.vertices[v])), magenta) << "V" << v;
            }
            clearMotion();
            EXPECT_TRUE(frame.draw() == today) << "the frame after the motion is cleared";
        }
    }
}
