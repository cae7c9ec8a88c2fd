#include "viewer.h"

#include "camera.h"
#include "geometry/records.h"
#include "glut_header.h" // IWYU pragma: keep (OpenGL, GLU and GLUT)
#include "motion_picture.h"
#include "palette.h"
#include "scene/scene.h"

#include <cstddef>
#include <optional>
#include <span>

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 700;
constexpr float kCameraDistance = 30.0f;
constexpr float kPointSize = 4.0f;
constexpr double kLineReach = 100.0; // a Line is drawn this many directions either side

std::optional<MotionPicture> motion; // none: the whole scene, as ever

float reach(float anchor, float direction, double sign)
{
    return static_cast<float>(anchor + sign * kLineReach * direction);
}

// Part of the viewer's interface: the program adds no Line, so this draws nothing in it.
void drawLines()
{
    for (const Line& line : lineList) {
        applyColor(line.color);
        glBegin(GL_LINES);
        glVertex2f(reach(line.anchor.x, line.direction.x, 1.0), reach(line.anchor.y, line.direction.y, 1.0));
        glVertex2f(reach(line.anchor.x, line.direction.x, -1.0), reach(line.anchor.y, line.direction.y, -1.0));
        glEnd();
    }
}

void drawSegment(const Segment& segment)
{
    glPointSize(kPointSize);
    applyColor(segment.color);
    for (const GLenum mode : {GL_LINES, GL_POINTS}) {
        glBegin(mode);
        glVertex3f(segment.first.x, segment.first.y, segment.first.z);
        glVertex3f(segment.second.x, segment.second.y, segment.second.z);
        glEnd();
    }
}

void drawPoint(const Point& point)
{
    applyColor(point.color);
    glPointSize(kPointSize);
    glBegin(GL_POINTS);
    glVertex3f(point.x, point.y, point.z);
    glEnd();
}

// The first `count` entries of a scene list.
template <typename List, typename Draw> void drawFirst(const List& list, std::size_t count, Draw draw)
{
    for (auto entry = list.begin(); entry != list.end() && count > 0; ++entry, --count) {
        draw(*entry);
    }
}

// Lines alone, one glBegin for each run of one colour: an arc is a hundred of them, and
// each glBegin costs the page a draw call.
void drawStrokes(std::span<const Segment> strokes)
{
    std::size_t i = 0;
    while (i < strokes.size()) {
        const Color color = strokes[i].color;
        applyColor(color);
        glBegin(GL_LINES);
        for (; i < strokes.size() && strokes[i].color == color; ++i) {
            glVertex3f(strokes[i].first.x, strokes[i].first.y, strokes[i].first.z);
            glVertex3f(strokes[i].second.x, strokes[i].second.y, strokes[i].second.z);
        }
        glEnd();
    }
}

// In the whole scene's order: segments, then points, so that points cover lines; the
// motion's own after the scene's, so that the moving cube covers the cube it is leaving.
// The whole scene is the picture of all its entries and nothing of the motion's own.
void drawPicture(const MotionPicture& picture)
{
    drawLines();
    drawFirst(segmentList, picture.sceneSegments, drawSegment);
    drawStrokes(picture.strokes);
    for (const Segment& segment : picture.segments) {
        drawSegment(segment);
    }
    drawFirst(pointList, picture.scenePoints, drawPoint);
    for (const Point& point : picture.points) {
        drawPoint(point);
    }
}

} // namespace

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    drawPicture(motion.value_or(MotionPicture{pointList.size(), segmentList.size(), {}, {}, {}}));
    glPopMatrix();
    glFlush();
    glutSwapBuffers();
}

void showMotion(const MotionPicture& picture) { motion = picture; }

void clearMotion() { motion.reset(); }

void reshape(int width, int height)
{
    if (height == 0) {
        height = 1;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(45.0, static_cast<double>(width) / height, 1.0, 1000.0);
}

void openWindow(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);

    const CameraCentre centre = cameraCentre(sceneMin, sceneMax);
    // This projection is replaced by reshape before the first frame; it is set up all the
    // same, as the window's fixed set-up sequence has it, so that the window starts from a
    // defined state.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, 1.0, 1.0, 20.0);
    gluLookAt(centre.x, centre.y, kCameraDistance, centre.x, centre.y, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-centre.x, -centre.y, -kCameraDistance);
}

void runViewer(int argc, char** argv)
{
    openWindow(argc, argv);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMainLoop();
}
