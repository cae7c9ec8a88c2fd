// The native program's window as a picture, for the scripts and the browser test that
// compare with it or show it:
//   window-shot OUT.ppm INPUT_FILE PROGRAM [ARGUMENT...]
// Runs PROGRAM on the display named by DISPLAY with INPUT_FILE as its standard input, waits
// for the first frame of its window, writes the window's pixels to OUT.ppm (binary PPM),
// copies what the program wrote to standard output, then closes the window as a user
// would. Exits 0 only when all of that worked and the program ended with status 0.
#include "program_on_screen.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool writePpm(const std::string& path, const Snapshot& shot, WindowSize size)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << size.width << ' ' << size.height << "\n255\n";
    for (int row = 0; row < size.height; ++row) {
        for (int column = 0; column < size.width; ++column) {
            const Rgb8 p = shot.at(column, row);
            out.put(static_cast<char>(p.r)).put(static_cast<char>(p.g)).put(static_cast<char>(p.b));
        }
    }
    return static_cast<bool>(out);
}

int fail(const std::string& why)
{
    std::fprintf(stderr, "window-shot: %s\n", why.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        return fail("usage: window-shot OUT.ppm INPUT_FILE PROGRAM [ARGUMENT...]");
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr) {
        return fail("no DISPLAY");
    }
    std::ifstream inputFile(argv[2], std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(inputFile), std::istreambuf_iterator<char>()};
    XClient x(display);
    if (!x.connected()) {
        return fail(std::string("cannot connect to ") + display);
    }

    ProgramOnScreen program(x, display, input, std::vector<std::string>(argv + 3, argv + argc));
    if (!program.window() || !program.waitForFrame()) {
        return fail("no window with a frame; the program wrote on stderr: " + program.errors());
    }
    const Snapshot shot(x.display(), *program.window());
    const WindowSize size = x.size(*program.window());
    if (!shot.valid() || !writePpm(argv[1], shot, size)) {
        return fail("could not capture the window");
    }
    const std::string output = program.output();
    std::fwrite(output.data(), 1, output.size(), stdout);
    const auto status = program.closeAndWait();
    return status == 0 ? 0 : fail("the program ended with status " + std::to_string(status.value_or(-1)));
}
