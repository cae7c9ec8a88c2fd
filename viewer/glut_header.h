#pragma once

// The platform's GLUT header, which brings OpenGL's and GLU's with it (and, on Windows,
// what gl.h needs first). freeglut, Emscripten and others provide <GL/glut.h>.
#if defined(__APPLE__)
#include <GLUT/glut.h>
#else
#include <GL/glut.h>
#endif
