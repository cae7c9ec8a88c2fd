#include "geometry/records.h"
#include "testkit/bits.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Records, NewPointsAndSegmentsAreBlackAtTheOrigin)
{
    const Point p;
    EXPECT_EQ(bitsOf(p.x), bitsOf(0.0f));
    EXPECT_EQ(bitsOf(p.y), bitsOf(0.0f));
    EXPECT_EQ(bitsOf(p.z), bitsOf(0.0f));
    EXPECT_EQ(p.color, BLACK);

    const Point made{5.0f, 0.0f, 5.0f};
    EXPECT_EQ(made.color, BLACK);

    const Segment s;
    EXPECT_EQ(s.first.color, BLACK);
    EXPECT_EQ(s.second.color, BLACK);
    EXPECT_EQ(s.color, BLACK);
    EXPECT_EQ(Segment{}.color, Line{}.color);
}

TEST(Records, ColorCodesMatchTheirNumbers)
{
    const Color codes[] = {RED, GREEN, BLUE, YELLOW, ORANGE, MAGENTA, CYAN, PURPLE, WHITE, BLACK};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(codes[i], i);
    }
    static_assert(sizeof(Color) == 4 && std::numeric_limits<Color>::is_signed);
}

TEST(Records, CopiesKeepEveryFieldBitForBit)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Point odd{-0.0f, nan, std::numeric_limits<float>::infinity(), 42};

    Point copy = odd;
    Point assigned;
    assigned = odd;
    for (const Point& p : {copy, assigned}) {
        EXPECT_EQ(bitsOf(p.x), bitsOf(-0.0f));
        EXPECT_EQ(bitsOf(p.y), bitsOf(nan));
        EXPECT_EQ(bitsOf(p.z), bitsOf(odd.z));
        EXPECT_EQ(p.color, 42);
    }

    Point& self = copy;
    copy = self;
    EXPECT_EQ(bitsOf(copy.x), bitsOf(-0.0f));
    EXPECT_EQ(copy.color, 42);

    const Segment red{{0, 0, 0}, {5, 0, 0}, RED};
    const Segment segmentCopy = red;
    EXPECT_EQ(segmentCopy.color, RED);
    EXPECT_EQ(segmentCopy.first.color, BLACK);
    EXPECT_EQ(segmentCopy.second.color, BLACK);
    EXPECT_EQ(segmentCopy.second.x, 5.0f);
}
