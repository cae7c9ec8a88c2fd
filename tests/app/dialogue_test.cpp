#include "app/dialogue.h"
#include "geometry/matrix.h"
#include "scene/scene.h"
#include "testkit/bits.h"
#include "testkit/console_stages.h"
#include "testkit/fresh_scene.h"
#include "testkit/program_facts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <numbers>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace {

// Sine and cosine may land one float step away on another libm; a few steps at magnitude 5.
constexpr float kLibmTolerance = 2e-6f;

// The points of one colour group: 0 red, 1 blue, 2 green, 3 yellow.
std::vector<Point> group(int index)
{
    auto first = std::next(pointList.begin(), 8 * index);
    return {first, std::next(first, 8)};
}

std::vector<std::uint32_t> sceneBits()
{
    std::vector<std::uint32_t> bits;
    auto add = [&](const Point& p) {
        for (float f : {p.x, p.y, p.z}) {
            bits.push_back(bitsOf(f));
        }
    };
    for (const Point& p : pointList) {
        add(p);
    }
    for (const Segment& s : segmentList) {
        add(s.first);
        add(s.second);
    }
    return bits;
}

using Dialogue = FreshScene;

} // namespace

// A quarter turn about X by hand, which the README and the manual page use as their worked
// example: their numbers must be the program's, or the documents have drifted from it.
TEST_F(Dialogue, QuarterTurnAboutXIsExactToTheBitAsTheDocumentsSay)
{
    const ConsoleRun run = runConsoleStages("90\n0\n0\n");

    // Rotating (x, y, z) about X: (x, y c - z s, y s + z c), each row summed in double from
    // +0.0, which is why no coordinate comes out as -0.0.
    const auto radians = static_cast<float>(90.0 * (std::numbers::pi / 180.0));
    const auto c = static_cast<double>(static_cast<float>(std::cos(static_cast<double>(radians))));
    const auto s = static_cast<double>(static_cast<float>(std::sin(static_cast<double>(radians))));
    ASSERT_EQ(s, 1.0);

    const std::vector<Point> blue = group(1);
    for (int i = 0; i < 8; ++i) {
        const Xyz v = addedVertices()[static_cast<std::size_t>(i)];
        EXPECT_EQ(bitsOf(blue[i].x), bitsOf(v.x)) << i;
        EXPECT_EQ(bitsOf(blue[i].y), bitsOf(static_cast<float>(0.0 + v.y * c + v.z * -s))) << i;
        EXPECT_EQ(bitsOf(blue[i].z), bitsOf(static_cast<float>(0.0 + v.y * s + v.z * c))) << i;
    }
    // Zero turns about Y and Z leave the blue cube exactly where it is.
    for (int g : {2, 3}) {
        const std::vector<Point> later = group(g);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(bitsOf(later[i].x), bitsOf(blue[i].x));
            EXPECT_EQ(bitsOf(later[i].y), bitsOf(blue[i].y));
            EXPECT_EQ(bitsOf(later[i].z), bitsOf(blue[i].z));
        }
    }
    EXPECT_EQ(bitsOf(run.cube.vertices[7].y), bitsOf(-5.0f)); // the model ends as the yellow cube

    // V7 = (0, 5, 5), added last, lands at (0, -5, 5); V0 = (0, 0, 5) at (0, -5, -2.19e-07).
    EXPECT_EQ(bitsOf(blue[7].y), bitsOf(-5.0f));
    EXPECT_EQ(bitsOf(blue[7].z), bitsOf(5.0f));
    char z[32];
    std::snprintf(z, sizeof z, "%.3g", static_cast<double>(blue[3].z));
    EXPECT_STREQ(z, "-2.19e-07");
    for (const char* document : {"/README.md", "/docs/cube-rotation.1"}) {
        std::FILE* file = std::fopen((std::string(CUBE_SOURCE_DIR) + document).c_str(), "r");
        ASSERT_NE(file, nullptr) << document;
        std::string text = restOf(file);
        std::fclose(file);
        for (std::size_t at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at)) {
            text.erase(at, 1); // roff's minus sign
        }
        EXPECT_NE(text.find("(0, -5, 5)"), std::string::npos) << document;
        EXPECT_NE(text.find(std::string("(0, -5, ") + z + ")"), std::string::npos) << document;
    }
}

TEST_F(Dialogue, RotationsAreCumulative)
{
    const struct {
        const char* input;
        int group;
        int vertex; // index into the adding order
        Point expected;
    } cases[] = {
        // clang-format off
        {"90 90 0", 1, 7, {0, -5, 5}},
        {"90 90 0", 2, 7, {5, -5, 0}},
        {"90 90 0", 3, 7, {5, -5, 0}},
        {"0 0 90", 2, 1, {5, 0, 0}},
        {"0 0 90", 3, 1, {0, 5, 0}},
        {"360 360 360", 3, 4, {5, 5, 5}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        resetScene();
        runConsoleStages(c.input);
        const Point p = group(c.group)[c.vertex];
        EXPECT_NEAR(p.x, c.expected.x, kLibmTolerance);
        EXPECT_NEAR(p.y, c.expected.y, kLibmTolerance);
        EXPECT_NEAR(p.z, c.expected.z, kLibmTolerance);
    }
}

TEST_F(Dialogue, InputThatIsNotANumberKeepsThePreviousAngle)
{
    const struct {
        const char* input;
        const char* sameAs;
    } cases[] = {
        // clang-format off
        {"30 45 60", "30\n\n\n45\n60\n"},
        {"30abc", "30 30 30"},
        {"30\n", "30 30 30"},
        {"30\n45x\n", "30 45 45"},
        {"abc 30 45", "0 0 0"},
        {"", "0 0 0"},
        {"nan 1", "0 0 0"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        resetScene();
        runConsoleStages(c.input);
        const std::vector<std::uint32_t> actual = sceneBits();
        resetScene();
        runConsoleStages(c.sameAs);
        EXPECT_EQ(actual, sceneBits());
    }
}

// What the page shows of each step is what the dialogue held: the angle it read, the
// radians it gave the builder and the matrix that turned the cube.
TEST_F(Dialogue, RecordsEachTurnAsItWasBuilt)
{
    // The radians are the floats nearest to degrees * pi / 180, worked out by hand:
    // pi / 6 = 0.523598775..., pi / 4 = 0.785398163..., pi / 3 = 1.047197551...,
    // -1000 pi / 180 = -17.453292519..., 5 pi / 180 = 0.087266462..., and 0.7f degrees
    // (0.699999988...) is 0.012217304... radians.
    const struct {
        const char* input;
        float degrees[3];
        float radians[3];
    } cases[] = {
        {"30\n45\n60\n", {30, 45, 60}, {0.5235988f, 0.7853982f, 1.0471976f}},
        {"30abc\n", {30, 30, 30}, {0.5235988f, 0.5235988f, 0.5235988f}}, // the failed reads keep the angle
        {"abc\n", {0, 0, 0}, {0, 0, 0}},
        {"-1e3 +.5e1 7E-1x\n", {-1000, 5, 0.7f}, {-17.453293f, 0.08726646f, 0.012217305f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        resetScene();
        const ConsoleRun run = runConsoleStages(c.input);
        for (std::size_t i = 0; i < 3; ++i) {
            const AxisTurn& turn = run.turns[i];
            EXPECT_EQ(bitsOf(turn.degrees), bitsOf(c.degrees[i])) << i;
            EXPECT_EQ(bitsOf(turn.radians), bitsOf(c.radians[i])) << i;
            // The recorded matrix is the one that turned the cube: applied to each vertex of
            // the cube before the step (in double, rounded once, as the program does), it
            // gives the cube of the step, bit for bit.
            const std::vector<Point> before = group(static_cast<int>(i));
            const std::vector<Point> after = group(static_cast<int>(i) + 1);
            for (std::size_t v = 0; v < 8; ++v) {
                const float p[3] = {before[v].x, before[v].y, before[v].z};
                const float q[3] = {after[v].x, after[v].y, after[v].z};
                for (std::size_t row = 0; row < 3; ++row) {
                    double sum = 0.0;
                    for (std::size_t k = 0; k < 3; ++k) {
                        sum += static_cast<double>(p[k]) * turn.rotation.m[3 * row + k];
                    }
                    EXPECT_EQ(bitsOf(static_cast<float>(sum)), bitsOf(q[row])) << "step " << i << ", vertex " << v;
                }
            }
        }
    }
    // The 30-degree turn about X by hand: cos 30 = 0.8660254 and sin 30 = 0.5 as floats.
    resetScene();
    const Matrix3 rx = runConsoleStages("30\n45\n60\n").turns[0].rotation;
    const float expected[9] = {1, 0, 0, 0, 0.8660254f, -0.5f, 0, 0.5f, 0.8660254f};
    for (std::size_t k = 0; k < 9; ++k) {
        EXPECT_EQ(bitsOf(rx.m[k]), bitsOf(expected[k])) << "entry " << k;
    }
}

// The page is told of each step once its cube is in the scene and before the program writes
// on: so it can show the step while the program waits for the next answer.
namespace {
std::FILE* watchedOutput = nullptr;
std::vector<std::pair<std::size_t, std::size_t>> stepsSeen; // the step, and the points in the scene then
std::vector<long> writtenWhenTold;
} // namespace

TEST_F(Dialogue, TellsItsWatcherOfEachStepWhenItsCubeIsInTheScene)
{
    std::FILE* in = streamHolding("30\n45\n60\n");
    watchedOutput = temporaryStream();
    stepsSeen.clear();
    writtenWhenTold.clear();
    runConsoleStages(in, watchedOutput, nullptr, [](std::size_t step) {
        stepsSeen.emplace_back(step, pointList.size());
        writtenWhenTold.push_back(std::ftell(watchedOutput));
    });
    std::fclose(in);
    std::fclose(watchedOutput);

    const std::vector<std::pair<std::size_t, std::size_t>> expected = {{0, 16}, {1, 24}, {2, 32}};
    EXPECT_EQ(stepsSeen, expected);
    // Told after its own prompt and before the next text: each prompt is 56 bytes (two line
    // breaks, the 53 characters of the question, one line break).
    const std::vector<long> written = {56, 112, 168};
    EXPECT_EQ(writtenWhenTold, written);
}

// The lessons' task links ask where V7 of the red cube ends up in the yellow one for their
// answers, and give the program's numbers: each must be the float the program computes.
TEST_F(Dialogue, TheLessonsAnswersAreTheProgramsNumbers)
{
    std::FILE* file = std::fopen((std::string(CUBE_SOURCE_DIR) + "/docs/lessons.md").c_str(), "r");
    ASSERT_NE(file, nullptr);
    const std::string text = restOf(file);
    std::fclose(file);

    const std::regex exercise(
        R"(\(cube-rotation\.html#zadatak=V7,([^,)]+),([^,)]+),([^,)]+)\)[\s\S]*?\*\*Answer:\*\* `\(([^,]+), ([^,]+), ([^)]+)\)`)");
    int checked = 0;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), exercise); match != std::sregex_iterator();
         ++match) {
        const std::smatch& m = *match;
        const std::string answers = m[1].str() + "\n" + m[2].str() + "\n" + m[3].str() + "\n";
        SCOPED_TRACE(answers);
        resetScene();
        runConsoleStages(answers);
        const Point v7 = group(3)[7]; // added last of the yellow cube
        EXPECT_EQ(bitsOf(v7.x), bitsOf(std::strtof(m[4].str().c_str(), nullptr)));
        EXPECT_EQ(bitsOf(v7.y), bitsOf(std::strtof(m[5].str().c_str(), nullptr)));
        EXPECT_EQ(bitsOf(v7.z), bitsOf(std::strtof(m[6].str().c_str(), nullptr)));
        ++checked;
    }
    EXPECT_EQ(checked, 7);
}
