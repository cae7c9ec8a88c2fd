#pragma once

#include "records.h"

// Matrix arithmetic on the records. Every operation works in double internally and rounds
// to float once per stored value, so results are reproducible bit for bit.
//
// Rotations follow the right-hand rule: a positive angle turns a point counterclockwise
// when seen from the positive end of the axis. Angles are in radians and used as given.

Matrix3 rotationX(float angle); // turns +y toward +z
Matrix3 rotationY(float angle); // turns +z toward +x
Matrix3 rotationZ(float angle); // turns +x toward +y

// Rotation by `angle` radians about the axis through the origin along `axis`, right-hand
// rule, by Rodrigues' formula; the axis is made unit length in double, so only its direction
// counts (a zero axis gives NaN entries).
Matrix3 rotationAbout(Point axis, float angle);

// Part of the library's interface for checking a rotation (transpose, isOrthogonal,
// determinant); the program itself does not call these three.
Matrix3 transpose(Matrix3 m);

// m times p as a column vector; the colour of p is kept.
Point transform(Matrix3 m, Point p);

// 1 when a * b has each diagonal entry within 1e-4 of 1 and each off-diagonal entry within
// 1e-4 of 0, over the leading n x n block (n is clamped to 3); any NaN there fails.
// n <= 0 tests nothing and passes.
int isOrthogonal(Matrix3 a, Matrix3 b, int n);

// Determinant of the leading n x n block (n clamped to 3) by Gauss-Jordan elimination.
// A zero pivot is replaced by the first non-zero row below it; n <= 0 gives 1.
float determinant(Matrix3 a, int n);
