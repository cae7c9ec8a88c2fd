#pragma once

// The platform's GLUT header, which brings OpenGL's and GLU's with it (and, on Windows,
// what gl.h needs first). freeglut, Emscripten and others provide <GL/glut.h>; freeglut
// built for Windows by its own CMake installs only <GL/freeglut.h>.
#if defined(__APPLE__)
#include <GLUT/glut.h>
#elif defined(_WIN32)
#include <GL/freeglut.h>
#else
#include <GL/glut.h>
#endif
