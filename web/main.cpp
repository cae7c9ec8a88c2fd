// The program's entry in the web page: as app/main.cpp, with the console in the page.
#include "app/dialogue.h"
#include "page_streams.h"
#include "viewer/glut_header.h"
#include "viewer/viewer.h"

#include <emscripten.h>

// A frame drawn on the page's request: WebGL clears the canvas once a frame is shown, so the
// "save the picture" button takes it from a frame drawn for it.
extern "C" EMSCRIPTEN_KEEPALIVE void pageRedraw() { glutPostRedisplay(); }

int main(int argc, char** argv)
{
    runConsoleStages(openPageInput(), openPageOutput());
    runViewer(argc, argv);
    return 0;
}
