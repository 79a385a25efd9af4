#pragma once

#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

// A 4 x 4 matrix in the layout OpenGL takes without transposition: column
// major, element index = column * 4 + row, so m[12..14] is the translation.
struct Matrix4 {
    float m[16];
};

constexpr Matrix4 kIdentityMatrix = {{
    1.0f, 0.0f, 0.0f, 0.0f,
    0.0f, 1.0f, 0.0f, 0.0f,
    0.0f, 0.0f, 1.0f, 0.0f,
    0.0f, 0.0f, 0.0f, 1.0f,
}};

// a * b: b is applied first to a column vector.
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);

// The rotation of q, which is taken as it is (not normalised).
Matrix4 QuaternionToMatrix(const Quaternion& q);
// The orientation of the rotation part of m.
Quaternion MatrixToQuaternion(const Matrix4& m);

// Translation * rotation * scale.
Matrix4 ComposeTransform(const Vector3& scale, const Quaternion& orientation, const Vector3& position);

// Top comes before bottom, so a 2D screen can put its origin at the top left.
// (The planes are not called near and far: Windows headers define those.)
Matrix4 Orthographic(float left, float right, float top, float bottom, float nearPlane, float farPlane);
Matrix4 Perspective(float verticalFovDegrees, float aspect, float nearPlane, float farPlane);
// A view from eye toward target; up must not be parallel to the view direction.
Matrix4 LookAt(const Vector3& eye, const Vector3& target, const Vector3& up);

// Computed in extended precision, so that nearly singular matrices still
// give a usable value.
float Determinant(const Matrix4& m);
// The inverse, or m itself when it is singular.
Matrix4 Inverse(const Matrix4& m);
