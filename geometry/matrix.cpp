#include "matrix.h"

#include "records.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

constexpr int kOrder = 3;
constexpr double kOrthogonalTolerance = 0.0001;

// Row-major position of an entry; rows and columns are 0..2.
std::size_t entry(int row, int column)
{
    return static_cast<std::size_t>(row) * kOrder + static_cast<std::size_t>(column);
}

// cppcheck-suppress constParameter ; the entry is handed out for writing
float& at(Matrix3& a, int row, int column) { return a.m[entry(row, column)]; }
float at(const Matrix3& a, int row, int column) { return a.m[entry(row, column)]; }

int clampOrder(int n) { return std::min(n, kOrder); }

// Cosine or sine in double, rounded to float once.
float roundedCos(float angle) { return static_cast<float>(std::cos(static_cast<double>(angle))); }
float roundedSin(float angle) { return static_cast<float>(std::sin(static_cast<double>(angle))); }

// Row `row` of a times column `column` of b, summed in double from +0.0, rounded once.
float productEntry(const Matrix3& a, const Matrix3& b, int row, int column)
{
    double sum = 0.0;
    for (int k = 0; k < kOrder; ++k) {
        sum += static_cast<double>(at(a, row, k)) * static_cast<double>(at(b, k, column));
    }
    return static_cast<float>(sum);
}

} // namespace

Matrix3 rotationX(float angle)
{
    const float c = roundedCos(angle);
    const float s = roundedSin(angle);
    return {{1.0f, 0.0f, 0.0f, //
             0.0f, c, -s,      //
             0.0f, s, c}};
}

Matrix3 rotationY(float angle)
{
    const float c = roundedCos(angle);
    const float s = roundedSin(angle);
    return {{c, 0.0f, s,       //
             0.0f, 1.0f, 0.0f, //
             -s, 0.0f, c}};
}

Matrix3 rotationZ(float angle)
{
    const float c = roundedCos(angle);
    const float s = roundedSin(angle);
    return {{c, -s, 0.0f, //
             s, c, 0.0f,  //
             0.0f, 0.0f, 1.0f}};
}

Matrix3 rotationAbout(Point axis, float angle)
{
    const double length = std::sqrt(static_cast<double>(axis.x) * axis.x + static_cast<double>(axis.y) * axis.y +
                                    static_cast<double>(axis.z) * axis.z);
    const double x = axis.x / length;
    const double y = axis.y / length;
    const double z = axis.z / length;
    // Cosine and sine stay in double here: the entries are rounded once, each.
    const double c = std::cos(static_cast<double>(angle));
    const double s = std::sin(static_cast<double>(angle));
    const double t = 1.0 - c;
    const auto f = [](double entry) { return static_cast<float>(entry); };
    return {{f(t * x * x + c), f(t * x * y - s * z), f(t * x * z + s * y), //
             f(t * y * x + s * z), f(t * y * y + c), f(t * y * z - s * x), //
             f(t * z * x - s * y), f(t * z * y + s * x), f(t * z * z + c)}};
}

Matrix3 transpose(Matrix3 m)
{
    Matrix3 result;
    for (int i = 0; i < kOrder; ++i) {
        for (int j = 0; j < kOrder; ++j) {
            at(result, i, j) = at(m, j, i);
        }
    }
    return result;
}

Point transform(Matrix3 m, Point p)
{
    const std::array<double, kOrder> v = {p.x, p.y, p.z};
    std::array<float, kOrder> out{};
    for (int i = 0; i < kOrder; ++i) {
        double sum = 0.0;
        for (int k = 0; k < kOrder; ++k) {
            sum += v[k] * static_cast<double>(at(m, i, k));
        }
        out[i] = static_cast<float>(sum);
    }
    return {out[0], out[1], out[2], p.color};
}

int isOrthogonal(Matrix3 a, Matrix3 b, int n)
{
    n = clampOrder(n);
    Matrix3 product;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            at(product, i, j) = productEntry(a, b, i, j);
        }
    }
    // Written as !(d <= bound) so that a NaN fails instead of slipping through.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double identity = i == j ? 1.0 : 0.0;
            const double d = std::fabs(static_cast<double>(at(product, i, j)) - identity);
            if (!(d <= kOrthogonalTolerance)) {
                return 0;
            }
        }
    }
    return 1;
}

float determinant(Matrix3 a, int n)
{
    n = clampOrder(n);
    double result = 1.0;
    for (int i = 0; i < n; ++i) {
        if (at(a, i, i) == 0.0f) {
            int below = i + 1;
            while (below < n && at(a, below, i) == 0.0f) {
                ++below;
            }
            if (below == n) {
                return 0.0f;
            }
            for (int k = 0; k < n; ++k) {
                std::swap(at(a, i, k), at(a, below, k));
            }
            result = -result;
        }
        for (int j = 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            // The factor is rounded to float, as stored; the update is worked in double.
            const auto f = static_cast<float>(static_cast<double>(at(a, j, i)) / at(a, i, i));
            for (int k = 0; k < n; ++k) {
                at(a, j, k) = static_cast<float>(at(a, j, k) - static_cast<double>(f) * at(a, i, k));
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        result *= at(a, i, i);
    }
    return static_cast<float>(result);
}
