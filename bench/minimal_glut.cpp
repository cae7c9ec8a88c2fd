// The native baseline: waits for one line on standard input, so that it and cube-rotation
// can be started and then timed from the same moment, then shows the minimal window.

#include "minimal_window.h"

#include <cstdio>

int main(int argc, char** argv)
{
    char line[64];
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
        return 1;
    }
    runMinimalWindow(argc, argv);
    return 0;
}
