#include "viewer.h"

#include "camera.h"
#include "geometry/records.h"
#include "glut_header.h" // IWYU pragma: keep (OpenGL, GLU and GLUT)
#include "palette.h"
#include "scene/scene.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 700;
constexpr float kCameraDistance = 30.0f;
constexpr float kPointSize = 4.0f;
constexpr double kLineReach = 100.0; // a Line is drawn this many directions either side

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

void drawSegments()
{
    for (const Segment& segment : segmentList) {
        glPointSize(kPointSize);
        applyColor(segment.color);
        for (const GLenum mode : {GL_LINES, GL_POINTS}) {
            glBegin(mode);
            glVertex3f(segment.first.x, segment.first.y, segment.first.z);
            glVertex3f(segment.second.x, segment.second.y, segment.second.z);
            glEnd();
        }
    }
}

void drawPoints()
{
    for (const Point& point : pointList) {
        applyColor(point.color);
        glPointSize(kPointSize);
        glBegin(GL_POINTS);
        glVertex3f(point.x, point.y, point.z);
        glEnd();
    }
}

} // namespace

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    drawLines();
    drawSegments();
    drawPoints();
    glPopMatrix();
    glFlush();
    glutSwapBuffers();
}

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
