// The smallest GLUT program that does what cube-rotation's window does: same window size,
// mode and clear colour, one line and one 4-pixel point (so Mesa builds its line and point
// paths, as it must for the real scene). Waits for one line on standard input first, so
// that both programs can be started and then timed from the same moment.

#include "viewer/glut_header.h"

#include <cstdio>

namespace {

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_LINES);
    glVertex3f(-1.0f, 0.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glEnd();
    glPointSize(4.0f);
    glBegin(GL_POINTS);
    glVertex3f(0.0f, 0.5f, 0.0f);
    glEnd();
    glFlush();
    glutSwapBuffers();
}

} // namespace

int main(int argc, char** argv)
{
    char line[64];
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
        return 1;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(1024, 700);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("minimal");
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
