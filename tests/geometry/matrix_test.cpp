#include "geometry/matrix.h"
#include "testkit/bits.h"
#include "testkit/quaternion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

using Builder = Matrix3 (*)(float);

constexpr float kHalfPi = std::numbers::pi_v<float>; // halved below; the float nearest pi/2
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

// Sine and cosine come from the platform's libm, which may land one float away from the
// correctly rounded value; two steps at magnitude 8 cover that.
constexpr float kLibmTolerance = 1e-6f;

Matrix3 diagonal(float a, float b, float c) { return {{a, 0, 0, 0, b, 0, 0, 0, c}}; }

void expectSameBits(const Matrix3& actual, const Matrix3& expected)
{
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(bitsOf(actual.m[i]), bitsOf(expected.m[i])) << "entry " << i;
    }
}

} // namespace

TEST(Rotation, AtZeroIsTheIdentityWithANegativeZeroForMinusSine)
{
    const struct {
        Builder build;
        int minusSine; // index of the -s entry
    } cases[] = {{rotationX, 5}, {rotationY, 6}, {rotationZ, 1}};

    for (const auto& c : cases) {
        Matrix3 expected = diagonal(1, 1, 1);
        expected.m[c.minusSine] = -0.0f;
        expectSameBits(c.build(0.0f), expected);
    }
}

TEST(Rotation, OfTheFloatNearestHalfPiHasTheRoundedCosineAndUnitSine)
{
    const Matrix3 r = rotationZ(kHalfPi / 2);
    const float c = -4.371139e-8f;
    expectSameBits(r, {{c, -1.0f, 0.0f, 1.0f, c, 0.0f, 0.0f, 0.0f, 1.0f}});

    const Point turned = transform(r, {1.0f, 0.0f, 0.0f, GREEN});
    EXPECT_EQ(bitsOf(turned.x), bitsOf(c));
    EXPECT_EQ(bitsOf(turned.y), bitsOf(1.0f));
    EXPECT_EQ(bitsOf(turned.z), bitsOf(0.0f));
    EXPECT_EQ(turned.color, GREEN);
}

TEST(Rotation, FollowsTheRightHandRuleOnEachAxis)
{
    const struct {
        Builder build;
        Point from;
        Point to;
    } cases[] = {
        // clang-format off
        {rotationX, {0, 1, 0}, {0, 0, 1}},
        {rotationX, {0, 0, 1}, {0, -1, 0}},
        {rotationY, {0, 0, 1}, {1, 0, 0}},
        {rotationY, {1, 0, 0}, {0, 0, -1}},
        {rotationZ, {1, 0, 0}, {0, 1, 0}},
        {rotationZ, {0, 1, 0}, {-1, 0, 0}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const Point p = transform(c.build(kHalfPi / 2), c.from);
        EXPECT_NEAR(p.x, c.to.x, kLibmTolerance);
        EXPECT_NEAR(p.y, c.to.y, kLibmTolerance);
        EXPECT_NEAR(p.z, c.to.z, kLibmTolerance);
    }
}

TEST(Rotation, TransposeUndoesTheAngle)
{
    for (float angle : {0.0f, 0.5f, -1.25f, 2.0f, 3.0f, 100.0f}) {
        expectSameBits(transpose(rotationX(angle)), rotationX(-angle));
        expectSameBits(transpose(rotationY(angle)), rotationY(-angle));
        expectSameBits(transpose(rotationZ(angle)), rotationZ(-angle));
    }
}

TEST(Rotation, NonFiniteAngleSpoilsOnlyTheTrigonometricEntries)
{
    const Matrix3 r = rotationX(std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(r.m[4]) && std::isnan(r.m[5]) && std::isnan(r.m[7]) && std::isnan(r.m[8]));
    EXPECT_EQ(bitsOf(r.m[0]), bitsOf(1.0f));
    EXPECT_EQ(bitsOf(r.m[1]), bitsOf(0.0f));
}

TEST(Transpose, MirrorsEveryEntryBitForBit)
{
    const Matrix3 m{{1, -0.0f, kNan, 4, 5, 6, 7, 8, -9}};
    expectSameBits(transpose(m), {{1, 4, 7, -0.0f, 5, 8, kNan, 6, -9}});
}

TEST(Transform, SumsEachRowInDoubleAndRoundsOnce)
{
    // (1 + 2^-24) + 2^-24: float steps would lose both small terms, double keeps them.
    const float tiny = 0x1p-24f;
    const Matrix3 sums{{1, 1, 1, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(bitsOf(transform(sums, {1.0f, tiny, tiny}).x), bitsOf(1.0f + 0x1p-23f));

    const Point p = transform(rotationZ(0.5f), {5, 5, 5, BLACK});
    EXPECT_NEAR(p.x, 1.990785f, kLibmTolerance);
    EXPECT_NEAR(p.y, 6.785040f, kLibmTolerance);
    EXPECT_EQ(bitsOf(p.z), bitsOf(5.0f));
    EXPECT_EQ(p.color, BLACK);
}

TEST(IsOrthogonal, AcceptsEveryRotationAndItsTranspose)
{
    for (float angle : {0.0f, 0.3f, kHalfPi / 2, 2.5f, -4.0f, 1000.0f}) {
        for (Builder build : {rotationX, rotationY, rotationZ}) {
            const Matrix3 r = build(angle);
            EXPECT_EQ(isOrthogonal(r, transpose(r), 3), 1) << angle;
        }
    }
}

TEST(IsOrthogonal, JudgesTheProductEntriesAgainstTheTolerance)
{
    Matrix3 nanCorner = diagonal(1, 1, 1);
    nanCorner.m[0] = kNan;
    Matrix3 nanOffDiagonal = diagonal(1, 1, 1);
    nanOffDiagonal.m[1] = kNan;
    const Matrix3 equalRows{{1, 0, 0, 1, 0, 0, 1, 0, 0}};
    const Matrix3 sheared{{1, 0.00004f, 0, 0, 1, 0, 0, 0, 1}};
    const Matrix3 tooSheared{{1, 0.0002f, 0, 0, 1, 0, 0, 0, 1}};

    const struct {
        const char* name;
        Matrix3 a;
        int n;
        int expected;
    } cases[] = {
        {"squared 1.00005 rounds to within the bound", diagonal(1, 1, 1.00005f), 3, 1},
        {"squared 0.99995 is just outside", diagonal(1, 1, 0.99995f), 3, 0},
        {"squared 1.0001 is outside", diagonal(1, 1, 1.0001f), 3, 0},
        {"NaN on the diagonal fails", nanCorner, 3, 0},
        {"NaN off the diagonal fails", nanOffDiagonal, 3, 0},
        {"parallel rows fail", equalRows, 3, 0},
        {"small off-diagonal product passes", sheared, 3, 1},
        {"large off-diagonal product fails", tooSheared, 3, 0},
        {"order 0 tests nothing", nanCorner, 0, 1},
        {"order 2 ignores the last row", diagonal(1, 1, 2), 2, 1},
        {"order above 3 is read as 3", diagonal(1, 1, 2), 4, 0},
        {"order above 3 passes a rotation", rotationY(1.0f), 1000, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isOrthogonal(c.a, transpose(c.a), c.n), c.expected) << c.name;
    }
}

TEST(Determinant, EliminatesWithFloatRoundedFactors)
{
    const Matrix3 rounding{{2, 1, 1, 1, 3, 2, 1, 0, 0}};
    const struct {
        const char* name;
        Matrix3 a;
        int n;
        float expected;
    } cases[] = {
        {"diagonal, order 3", diagonal(2, 3, 4), 3, 24.0f},
        {"diagonal, order 2", diagonal(2, 3, 4), 2, 6.0f},
        {"diagonal, order 1", diagonal(2, 3, 4), 1, 2.0f},
        {"order 0", rounding, 0, 1.0f},
        {"order above 3 is read as 3", diagonal(2, 3, 4), 7, 24.0f},
        {"factors rounded to float leave a residue", rounding, 3, -0.99999994f},
        {"zero first pivot swaps rows", {{0, 1, 0, 1, 0, 0, 0, 0, 1}}, 3, -1.0f},
        {"zero middle pivot swaps rows", {{1, 1, 0, 1, 1, 1, 0, 1, 1}}, 3, -1.0f},
        {"two swaps cancel their signs", {{0, 0, 1, 1, 0, 0, 0, 1, 0}}, 3, 1.0f},
        {"zero column is singular", {{0, 1, 2, 0, 3, 4, 0, 5, 6}}, 3, 0.0f},
        {"zero pivot with no row below", {{1, 2, 3, 2, 4, 6, 1, 1, 1}}, 2, 0.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bitsOf(determinant(c.a, c.n)), bitsOf(c.expected)) << c.name;
    }
}

TEST(Determinant, OfARotationIsWithinTwoFloatStepsOfOne)
{
    for (float angle : {0.1f, 0.7f, kHalfPi / 2, 2.0f, -3.0f, 123.0f}) {
        for (Builder build : {rotationX, rotationY, rotationZ}) {
            const float d = determinant(build(angle), 3);
            EXPECT_GE(d, 0.99999988f) << angle;
            EXPECT_LE(d, 1.0000001f) << angle;
        }
    }
}

TEST(RotationAbout, OnACoordinateAxisIsThatAxisBuilderBitForBit)
{
    // 1e6 degrees is 17453.293 radians as a float.
    for (float angle : {0.5f, -1.25f, kHalfPi / 2, 3.0f, -100.0f, 17453.293f}) {
        expectSameBits(rotationAbout({1, 0, 0}, angle), rotationX(angle));
        expectSameBits(rotationAbout({0, 1, 0}, angle), rotationY(angle));
        expectSameBits(rotationAbout({0, 0, 1}, angle), rotationZ(angle));
    }
}

TEST(RotationAbout, AgreesWithQuaternionsOnAnyAxis)
{
    // Each entry is rounded to float once: half a float step below 1 is 3e-8, and the double
    // arithmetic before it adds far less.
    constexpr double kEntryTolerance = 1e-7;
    const Point axes[] = {{1, 1, 1}, {0.6f, -0.8f, 0}, {-2, 0.5f, 3}, {0, 0, -1}, {1e-3f, 0, 5}, {-5, 5, 5}};
    for (const Point& axis : axes) {
        for (float angle : {0.0f, 0.3f, -1.0f, 2.0f * kHalfPi, 7.0f, -12.566371f, 17453.293f}) {
            const Matrix3 r = rotationAbout(axis, angle);
            const QuaternionL q = turnAbout({axis.x, axis.y, axis.z}, angle);
            for (int column = 0; column < 3; ++column) {
                Vector3L unit{};
                unit[column] = 1.0L;
                const Vector3L image = turned(q, unit);
                for (int row = 0; row < 3; ++row) {
                    EXPECT_NEAR(r.m[3 * row + column], static_cast<double>(image[row]), kEntryTolerance)
                        << "axis (" << axis.x << ", " << axis.y << ", " << axis.z << "), angle " << angle;
                }
            }
        }
    }
}

TEST(RotationAbout, TurnsByTheRightHandRule)
{
    // A third of a turn about the cube's diagonal (1, 1, 1) carries x to y, y to z and z to
    // x; about -z a quarter turn carries x to -y, the other way round from rotationZ.
    const Matrix3 third = rotationAbout({1, 1, 1}, 2 * kHalfPi / 3);
    const Matrix3 quarter = rotationAbout({0, 0, -1}, kHalfPi / 2);
    const struct {
        Matrix3 r;
        Point from;
        Point to;
    } cases[] = {
        // clang-format off
        {third, {1, 0, 0}, {0, 1, 0}},
        {third, {0, 1, 0}, {0, 0, 1}},
        {third, {0, 0, 1}, {1, 0, 0}},
        {quarter, {1, 0, 0}, {0, -1, 0}},
        {quarter, {0, 1, 0}, {1, 0, 0}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const Point p = transform(c.r, c.from);
        EXPECT_NEAR(p.x, c.to.x, kLibmTolerance);
        EXPECT_NEAR(p.y, c.to.y, kLibmTolerance);
        EXPECT_NEAR(p.z, c.to.z, kLibmTolerance);
    }
    // A zero axis has no direction.
    EXPECT_TRUE(std::isnan(rotationAbout({0, 0, 0}, 1.0f).m[0]));
}
