#pragma once

// Opens the window "Geometrija - prikaz zadatka" and shows the scene until the window is
// closed, which ends the process through exit(). Never returns. argc and argv go to GLUT,
// which may take its own options from them.
void runViewer(int argc, char** argv);

// Everything runViewer does before it registers the callbacks: GLUT initialised, the window
// created, its clear colour and its camera set. For code that reads the camera without
// entering the event loop.
void openWindow(int argc, char** argv);

// GLUT callbacks, public so they can be driven from tests.

// Paints the whole scene: lines, then segments with their end points, then points, with no
// depth test, so what is drawn later covers what was drawn earlier. While a motion is shown
// (motion_picture.h), paints that in the same way instead.
void display();

// Sets the viewport and a 45-degree perspective for the new client size; a height of 0
// counts as 1. Leaves the projection matrix current.
void reshape(int width, int height);
