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

TEST_F(Dialogue, WritesThePromptsAndTheLegendVerbatim)
{
    const ConsoleRun run = runConsoleStages("30\n45\n60\n");
    EXPECT_EQ(run.output, kConsoleText);
}

TEST_F(Dialogue, AddsThreeRotatedCubesInBlueGreenYellow)
{
    runConsoleStages("0 0 0");
    ASSERT_EQ(pointList.size(), 32u);
    ASSERT_EQ(segmentList.size(), 48u);
    EXPECT_TRUE(lineList.empty());
    const Color colours[] = {RED, BLUE, GREEN, YELLOW};
    auto point = pointList.begin();
    auto segment = segmentList.begin();
    for (Color colour : colours) {
        for (int i = 0; i < 8; ++i, ++point) {
            EXPECT_EQ(point->color, colour);
        }
        for (int i = 0; i < 12; ++i, ++segment) {
            EXPECT_EQ(segment->color, colour);
            EXPECT_EQ(segment->first.color, BLACK);
            EXPECT_EQ(segment->second.color, BLACK);
        }
    }
    // Rotating by zero moves nothing, so the four groups coincide.
    for (int g = 1; g < 4; ++g) {
        const std::vector<Point> rotated = group(g);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(rotated[i].x, addedVertices()[static_cast<std::size_t>(i)].x);
            EXPECT_EQ(rotated[i].y, addedVertices()[static_cast<std::size_t>(i)].y);
            EXPECT_EQ(rotated[i].z, addedVertices()[static_cast<std::size_t>(i)].z);
        }
    }
}

TEST_F(Dialogue, QuarterTurnAboutXIsExactToTheBit)
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
    // V7 = (0, 5, 5), added last, lands at (0, -5, 5).
    EXPECT_EQ(bitsOf(blue[7].y), bitsOf(-5.0f));
    EXPECT_EQ(bitsOf(blue[7].z), bitsOf(5.0f));

    // Zero turns about Y and Z leave the blue cube exactly where it is.
    for (int g : {2, 3}) {
        const std::vector<Point> later = group(g);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(bitsOf(later[i].x), bitsOf(blue[i].x));
            EXPECT_EQ(bitsOf(later[i].y), bitsOf(blue[i].y));
            EXPECT_EQ(bitsOf(later[i].z), bitsOf(blue[i].z));
        }
    }
    // The model ends as the yellow cube with its edges refreshed.
    EXPECT_EQ(bitsOf(run.cube.vertices[7].y), bitsOf(-5.0f));
    EXPECT_EQ(bitsOf(run.cube.edges[11].second.y), bitsOf(-5.0f));
    EXPECT_EQ(run.cube.vertices[7].color, BLACK);
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

// The README and the manual page teach with a worked example; its numbers must be the
// program's, or the documents have drifted from it.
TEST_F(Dialogue, TheDocumentsWorkedExampleHasTheProgramsNumbers)
{
    runConsoleStages("90\n0\n0\n");
    const std::vector<Point> blue = group(1);
    const Point corner = blue[7]; // V7 = (0, 5, 5)
    const Point edge = blue[3];   // V0 = (0, 0, 5)
    EXPECT_EQ(bitsOf(corner.x), bitsOf(0.0f));
    EXPECT_EQ(bitsOf(corner.y), bitsOf(-5.0f));
    EXPECT_EQ(bitsOf(corner.z), bitsOf(5.0f));
    EXPECT_EQ(bitsOf(edge.x), bitsOf(0.0f));
    EXPECT_EQ(bitsOf(edge.y), bitsOf(-5.0f));
    char z[32];
    std::snprintf(z, sizeof z, "%.3g", static_cast<double>(edge.z));
    EXPECT_STREQ(z, "-2.19e-07");
    for (int cube = 2; cube < 4; ++cube) {
        EXPECT_EQ(bitsOf(group(cube)[7].y), bitsOf(corner.y)) << "cube " << cube << " moved off the blue one";
    }

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

// What the page shows of each step is what the dialogue held: the angle it read, the
// radians it gave the builder and the matrix, bit for bit as the builder makes it.
TEST_F(Dialogue, RecordsEachTurnAsItWasBuilt)
{
    const struct {
        const char* input;
        float degrees[3];
    } cases[] = {
        {"30\n45\n60\n", {30, 45, 60}},
        {"30abc\n", {30, 30, 30}}, // the failed reads keep the angle
        {"abc\n", {0, 0, 0}},
        {"-1e3 +.5e1 7E-1x\n", {-1000, 5, 0.7f}},
    };
    Matrix3 (*const builders[])(float) = {rotationX, rotationY, rotationZ};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const ConsoleRun run = runConsoleStages(c.input);
        for (std::size_t i = 0; i < 3; ++i) {
            const AxisTurn& turn = run.turns[i];
            EXPECT_EQ(bitsOf(turn.degrees), bitsOf(c.degrees[i])) << i;
            EXPECT_EQ(bitsOf(turn.radians), bitsOf(toRadians(c.degrees[i]))) << i;
            const Matrix3 built = builders[i](turn.radians);
            for (std::size_t k = 0; k < 9; ++k) {
                EXPECT_EQ(bitsOf(turn.rotation.m[k]), bitsOf(built.m[k])) << i << ", entry " << k;
            }
        }
    }
}

// The lessons ask where V7 of the red cube ends up in the yellow one for each link's
// answers, and give the program's numbers: each must be the float the program computes.
TEST_F(Dialogue, TheLessonsAnswersAreTheProgramsNumbers)
{
    std::FILE* file = std::fopen((std::string(CUBE_SOURCE_DIR) + "/docs/lessons.md").c_str(), "r");
    ASSERT_NE(file, nullptr);
    const std::string text = restOf(file);
    std::fclose(file);

    const std::regex exercise(
        R"(\(cube-rotation\.html#([^,)]+),([^,)]+),([^,)]+)\)[\s\S]*?\*\*Answer:\*\* `\(([^,]+), ([^,]+), ([^)]+)\)`)");
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
