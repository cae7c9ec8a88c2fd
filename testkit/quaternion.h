#pragma once

#include <array>
#include <cmath>

// Rotations worked out the tests' own way, with unit quaternions in long double, so that the
// program's matrices are checked against a different algorithm than theirs. Right-handed,
// about an axis through the origin, angles in radians.

using Vector3L = std::array<long double, 3>;

// w, then x, y, z.
struct QuaternionL {
    long double w = 1.0L;
    long double x = 0.0L;
    long double y = 0.0L;
    long double z = 0.0L;
};

// The turn by `radians` about `axis`, which need not be of unit length.
inline QuaternionL turnAbout(const Vector3L& axis, long double radians)
{
    const long double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    const long double s = std::sin(radians / 2) / length;
    return {std::cos(radians / 2), axis[0] * s, axis[1] * s, axis[2] * s};
}

// a after b: the turn b first, then a.
inline QuaternionL operator*(const QuaternionL& a, const QuaternionL& b)
{
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

// `v` turned by `q`: q v q*.
inline Vector3L turned(const QuaternionL& q, const Vector3L& v)
{
    const QuaternionL r = q * QuaternionL{0.0L, v[0], v[1], v[2]} * QuaternionL{q.w, -q.x, -q.y, -q.z};
    return {r.x, r.y, r.z};
}
