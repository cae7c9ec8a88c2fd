// Runs the console stages once per line of standard input and prints, one line per run, the
// console text and the bits of every point and segment in the scene, so that builds for
// different run times can be compared with diff. A line is one run's answers separated by
// tabs; the run reads them one per line. NaN prints as "nan", whatever its sign and payload.
//
// `scene_dump --generate COUNT [MAX_EXPONENT]` prints COUNT lines of generated answers
// instead: signs, exponents, large and tiny magnitudes, and words; no answer's magnitude
// reaches 10^MAX_EXPONENT (default 45, past every float).
//
// `scene_dump --numbers` takes the whole of standard input as one run's input and prints,
// as JSON of bit patterns in hex, the numbers the page shows for it: each turn's degrees,
// radians and nine matrix entries, and the vertices V0..V7 of each of the four cubes.

#include "scene/scene.h"
#include "testkit/bits.h"
#include "testkit/console_stages.h"
#include "testkit/program_facts.h"
#include "testkit/scene_reset.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

void printEscaped(const std::string& text)
{
    for (char c : text) {
        if (c == '\n') {
            std::fputs("\\n", stdout);
        } else {
            std::fputc(c, stdout);
        }
    }
}

void printBits(float value)
{
    if (value != value) {
        std::fputs(" nan", stdout);
    } else {
        std::printf(" %08lx", static_cast<unsigned long>(bitsOf(value)));
    }
}

void printPoint(const Point& p)
{
    printBits(p.x);
    printBits(p.y);
    printBits(p.z);
}

void dump(std::string line)
{
    for (char& c : line) {
        if (c == '\t') {
            c = '\n';
        }
    }
    resetScene();
    const ConsoleRun run = runConsoleStages(line + "\n");
    printEscaped(run.output);
    std::fputs(" |", stdout);
    for (const Point& p : pointList) {
        printPoint(p);
    }
    for (const Segment& s : segmentList) {
        printPoint(s.first);
        printPoint(s.second);
    }
    std::fputc('\n', stdout);
}

// A JSON list of the values' bit patterns, each a hex string.
void hexList(const std::vector<float>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::printf("%s\"%08lx\"", i == 0 ? "[" : ", ", static_cast<unsigned long>(bitsOf(values[i])));
    }
    std::fputs("]", stdout);
}

void numbers()
{
    const std::string input{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    const ConsoleRun run = runConsoleStages(input);
    std::fputs("{\"turns\": [", stdout);
    for (std::size_t i = 0; i < run.turns.size(); ++i) {
        const AxisTurn& turn = run.turns[i];
        std::vector<float> fields = {turn.degrees, turn.radians};
        fields.insert(fields.end(), turn.rotation.m.begin(), turn.rotation.m.end());
        std::fputs(i == 0 ? "" : ", ", stdout);
        hexList(fields);
    }
    // The scene holds each cube's vertices in adding order; the page shows them by label.
    const std::vector<Point> points(pointList.begin(), pointList.end());
    std::fputs("], \"cubes\": [", stdout);
    for (std::size_t cube = 0; cube * 8 < points.size(); ++cube) {
        std::array<Point, 8> byLabel{};
        for (std::size_t i = 0; i < kAddingOrder.size(); ++i) {
            byLabel.at(static_cast<std::size_t>(kAddingOrder.at(i))) = points.at(cube * 8 + i);
        }
        std::fputs(cube == 0 ? "[" : ", [", stdout);
        for (std::size_t label = 0; label < byLabel.size(); ++label) {
            std::fputs(label == 0 ? "" : ", ", stdout);
            hexList({byLabel[label].x, byLabel[label].y, byLabel[label].z});
        }
        std::fputs("]", stdout);
    }
    std::fputs("]}\n", stdout);
}

// One answer: mostly numbers of every shape, now and then a word or nothing at all. Each
// draw is a statement of its own, so that every compiler draws in the same order.
std::string answer(std::mt19937& random, unsigned maxExponent)
{
    const char* words[] = {"abc", "nan", "inf", "-", ".", "e5", "0x1p3", ""};
    auto draw = [&](std::uint32_t below) { return std::to_string(random() % below); };
    const std::uint32_t kind = random() % 10;
    if (kind == 0) {
        return words[random() % 8];
    }
    const std::uint32_t sign = random() % 6;
    std::string text = sign < 2 ? "-" : (sign == 2 ? "+" : "");
    if (kind <= 3) { // whole and decimal degrees of everyday size
        text += draw(100000);
        if (random() % 2 != 0) {
            text += "." + draw(1000000);
        }
        return text;
    }
    // Scientific notation across the whole float range and past it, tiny included.
    text += std::to_string(1 + (random() % 9));
    text += "." + draw(100000000);
    if (random() % 4 == 0) {
        text += "e-" + draw(60);
    } else {
        text += "e" + draw(maxExponent);
    }
    if (random() % 20 == 0) {
        text += "xyz"; // letters after a number
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--generate") == 0) {
        const long count = std::strtol(argv[2], nullptr, 10);
        const auto maxExponent = static_cast<unsigned>(argc >= 4 ? std::strtol(argv[3], nullptr, 10) : 45);
        std::mt19937 random(7);
        for (long i = 0; i < count; ++i) {
            const std::string x = answer(random, maxExponent);
            const std::string y = answer(random, maxExponent);
            const std::string z = answer(random, maxExponent);
            std::printf("%s\t%s\t%s\n", x.c_str(), y.c_str(), z.c_str());
        }
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--numbers") == 0) {
        numbers();
        return 0;
    }
    for (std::string line; std::getline(std::cin, line);) {
        dump(line);
    }
    return 0;
}
