#include "cube.h"
#include "dialogue.h"
#include "viewer/viewer.h"

#include <cstdio>

int main(int argc, char** argv)
{
    CubeModel cube = addStartingCube();
    NumberReader input{stdin, {}};
    runDialogue(cube, input, stdout);
    runViewer(argc, argv);
    return 0;
}
