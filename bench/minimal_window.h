#pragma once

// The smallest GLUT program that does what cube-rotation's window does: same window size,
// mode and clear colour, one line and one 4-pixel point (so the renderer builds its line
// and point paths, as it must for the real scene). Shared by the native baseline and the
// web one.

#include "viewer/glut_header.h"

inline void displayMinimal()
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

// Opens the window and runs GLUT's event loop, which does not return.
inline void runMinimalWindow(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(1024, 700);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("minimal");
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);
    glutDisplayFunc(displayMinimal);
    glutMainLoop();
}
