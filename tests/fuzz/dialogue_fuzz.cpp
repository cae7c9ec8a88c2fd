// Feeds arbitrary bytes to the whole console dialogue (reads, rotations, scene adds; no
// window) and checks what must hold for every input; and reads the same bytes as numbers,
// which must come out as strtof reads the whole text of each.

#include "app/dialogue.h"
#include "scene/scene.h"
#include "testkit/bits.h"
#include "testkit/byte_stream.h"
#include "testkit/console_stages.h"
#include "testkit/program_facts.h"
#include "testkit/reference_reader.h"
#include "testkit/scene_reset.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool samePlace(const Point& a, const Point& b)
{
    return bitsOf(a.x) == bitsOf(b.x) && bitsOf(a.y) == bitsOf(b.y) && bitsOf(a.z) == bitsOf(b.z);
}

// Reads up to four numbers both ways; the values, their bits and what is left must agree.
void checkReads(const std::string& input)
{
    std::FILE* stream = streamHolding(input);
    NumberReader reader{stream, {}};
    std::size_t position = 0;
    for (int read = 0; read < 4; ++read) {
        float value = 0.0f;
        const bool converted = readNumber(reader, value);
        const std::optional<float> expected = referenceRead(input, position);
        check(converted == expected.has_value(), "a number is read where strtof reads one");
        check(!converted || bitsOf(value) == bitsOf(*expected), "the number has the bits strtof gives");
    }
    check(std::string(heldBack(reader)) + restOf(stream) == input.substr(position), "the rest stays unread");
    std::fclose(stream);
}

// Each group of twenty adds: eight points in adding order, then E1..E12 joining exactly
// those points, all in the group's colour.
void checkGroups(const CubeModel& finalCube)
{
    check(pointList.size() == 32 && segmentList.size() == 48 && lineList.empty(), "32 points, 48 segments, no line");
    const Color colours[] = {RED, BLUE, GREEN, YELLOW};
    auto point = pointList.begin();
    auto segment = segmentList.begin();
    for (Color colour : colours) {
        std::vector<Point> group(point, std::next(point, 8));
        std::advance(point, 8);
        Point byLabel[8];
        for (std::size_t i = 0; i < 8; ++i) {
            check(group[i].color == colour, "point colour");
            byLabel[vertexAddingOrder[i]] = group[i];
        }
        for (const auto& ends : edgeEnds) {
            check(segment->color == colour, "segment colour");
            check(segment->first.color == BLACK && segment->second.color == BLACK, "segment end colours");
            check(samePlace(segment->first, byLabel[ends[0]]) && samePlace(segment->second, byLabel[ends[1]]),
                  "segment joins its group's vertices");
            ++segment;
        }
        if (colour == YELLOW) {
            for (int v = 0; v < 8; ++v) {
                check(samePlace(byLabel[v], finalCube.vertices[static_cast<std::size_t>(v)]),
                      "the model ends as the yellow cube");
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The program never empties the scene; the target does, so memory stays flat.
    resetScene();

    const std::string input(reinterpret_cast<const char*>(data), size);
    checkReads(input);
    const ConsoleRun run = runConsoleStages(input);
    check(run.output == kConsoleText, "console text");
    checkGroups(run.cube);
    return 0;
}
