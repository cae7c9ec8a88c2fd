#pragma once

#include "viewer/glut_header.h"
#include "virtual_display.h"

#include <cstdlib>

// A GLUT window with the program's display mode on a virtual X server of this process's
// own, for code that draws through the viewer in-process (the viewer tests, the frame
// benchmark). Made once: GLUT cannot be initialised twice in one process, and the server,
// static, outlives GLUT and Mesa, which still talk to it at exit. False when the server
// did not start.
inline bool openGlutWindow(int width, int height)
{
    static VirtualDisplay server;
    static const bool open = [&] {
        if (server.name().empty()) {
            return false;
        }
        setenv("DISPLAY", server.name().c_str(), 1);
        int argc = 1;
        char name[] = "cube-rotation-testkit";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
        glutInitWindowSize(width, height);
        glutCreateWindow("testkit");
        return true;
    }();
    return open;
}
