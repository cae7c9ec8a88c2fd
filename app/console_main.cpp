#include "cube.h"
#include "dialogue.h"

#include <cstdio>

int main()
{
    CubeModel cube = addStartingCube();
    NumberReader input{stdin, {}};
    runDialogue(cube, input, stdout);
    return 0;
}
