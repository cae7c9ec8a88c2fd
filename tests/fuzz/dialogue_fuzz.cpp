// Feeds arbitrary bytes to the whole console dialogue (reads, rotations, scene adds; no
// window) and checks what must hold for every input.

#include "app/dialogue.h"
#include "scene/scene.h"
#include "support/console_stages.h"
#include "support/program_facts.h"
#include "support/scene_reset.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
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
    return std::bit_cast<std::uint32_t>(a.x) == std::bit_cast<std::uint32_t>(b.x) &&
           std::bit_cast<std::uint32_t>(a.y) == std::bit_cast<std::uint32_t>(b.y) &&
           std::bit_cast<std::uint32_t>(a.z) == std::bit_cast<std::uint32_t>(b.z);
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

    const ConsoleRun run = runConsoleStages(std::string(reinterpret_cast<const char*>(data), size));
    check(run.output == kConsoleText, "console text");
    checkGroups(run.cube);
    return 0;
}
