#include "dialogue.h"
#include "viewer/viewer.h"

#include <cstdio>

int main(int argc, char** argv)
{
    runConsoleStages(stdin, stdout);
    runViewer(argc, argv);
    return 0;
}
