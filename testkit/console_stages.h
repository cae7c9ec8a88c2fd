#pragma once

#include "app/dialogue.h"
#include "byte_stream.h"

#include <cstdio>
#include <string>

// The program's console stages, the starting cube and the dialogue, answered with exactly
// the bytes of `input` (end of input after the last one).
struct ConsoleRun {
    CubeModel cube;     // as the dialogue left it
    std::string output; // everything written
    AxisTurns turns;    // each step as the dialogue held it
};

inline ConsoleRun runConsoleStages(const std::string& input)
{
    std::FILE* in = streamHolding(input);
    std::FILE* out = temporaryStream();
    ConsoleRun run;
    run.cube = runConsoleStages(in, out, &run.turns);
    std::rewind(out);
    run.output = restOf(out);
    std::fclose(out);
    std::fclose(in);
    return run;
}
