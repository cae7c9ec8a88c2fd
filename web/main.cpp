// The program's entry in the web page: as app/main.cpp, with the console in the page.
#include "app/cube.h"
#include "app/dialogue.h"
#include "page_streams.h"
#include "viewer/viewer.h"

int main(int argc, char** argv)
{
    CubeModel cube = addStartingCube();
    NumberReader input{openPageInput(), {}};
    runDialogue(cube, input, openPageOutput());
    runViewer(argc, argv);
    return 0;
}
