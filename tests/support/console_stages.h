#pragma once

#include "app/dialogue.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// The program's console stages, the starting cube and the dialogue, answered with exactly
// the bytes of `input` (end of input after the last one).
struct ConsoleRun {
    CubeModel cube;     // as the dialogue left it
    std::string output; // everything written
};

inline ConsoleRun runConsoleStages(const std::string& input)
{
    // Read-only, so the const buffer is never written; it outlives the stream.
    std::FILE* in = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);

    ConsoleRun run{addStartingCube(), {}};
    NumberReader reader{in, {}};
    runDialogue(run.cube, reader, out);
    std::fclose(out);
    std::fclose(in);
    run.output.assign(text, size);
    std::free(text);
    return run;
}
