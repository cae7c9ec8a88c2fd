// The web baseline the page is measured against (scripts/bench.sh): the same console pane
// and toolchain, waiting for one line of input, then the minimal window of bench/.
#include "bench/minimal_window.h"
#include "web/page_streams.h"

#include <cstdio>

int main(int argc, char** argv)
{
    char line[64];
    if (std::fgets(line, sizeof line, openPageInput()) == nullptr) {
        return 1;
    }
    runMinimalWindow(argc, argv);
    return 0;
}
