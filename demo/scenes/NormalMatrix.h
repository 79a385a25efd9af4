#pragma once

#include "engine/core/Matrix4.h"

// The matrix that carries normals into the space of the model-view matrix:
// the transpose of its inverse, which stays right under uneven scaling.
Matrix4 NormalMatrix(const Matrix4& modelView);

// True when the bottom row is 0 0 0 1: no perspective part.
bool IsAffine(const Matrix4& m);

// The determinant of the upper-left 3x3, the linear part of an affine matrix.
float LinearDeterminant(const Matrix4& m);
