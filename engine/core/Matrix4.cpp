#include "engine/core/Matrix4.h"

#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;

float& At(Matrix4& matrix, int row, int column) { return matrix.m[column * 4 + row]; }
float At(const Matrix4& matrix, int row, int column) { return matrix.m[column * 4 + row]; }

Matrix4 Zero() { return Matrix4{}; }

Matrix4 Translation(const Vector3& offset) {
    Matrix4 result = kIdentityMatrix;
    result.m[12] = offset.x;
    result.m[13] = offset.y;
    result.m[14] = offset.z;
    return result;
}

Matrix4 Scaling(const Vector3& scale) {
    Matrix4 result = kIdentityMatrix;
    result.m[0] = scale.x;
    result.m[5] = scale.y;
    result.m[10] = scale.z;
    return result;
}

// The three indices out of 0..3 other than the skipped one, in order.
void OtherIndices(int skipped, int (&indices)[3]) {
    int count = 0;
    for (int index = 0; index < 4; ++index)
        if (index != skipped)
            indices[count++] = index;
}

// The signed 3 x 3 minor of element (row, column), in extended precision.
long double Cofactor(const Matrix4& matrix, int row, int column) {
    int r[3];
    int c[3];
    OtherIndices(row, r);
    OtherIndices(column, c);
    auto e = [&](int i, int j) -> long double { return At(matrix, r[i], c[j]); };
    long double minor = e(0, 0) * (e(1, 1) * e(2, 2) - e(1, 2) * e(2, 1))
                      - e(0, 1) * (e(1, 0) * e(2, 2) - e(1, 2) * e(2, 0))
                      + e(0, 2) * (e(1, 0) * e(2, 1) - e(1, 1) * e(2, 0));
    return (row + column) % 2 ? -minor : minor;
}

}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 result;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += At(a, row, k) * At(b, k, column);
            At(result, row, column) = sum;
        }
    }
    return result;
}

Matrix4 QuaternionToMatrix(const Quaternion& q) {
    float xx = 2.0f * q.x * q.x;
    float yy = 2.0f * q.y * q.y;
    float zz = 2.0f * q.z * q.z;
    float xy = 2.0f * q.x * q.y;
    float xz = 2.0f * q.x * q.z;
    float yz = 2.0f * q.y * q.z;
    float xw = 2.0f * q.x * q.w;
    float yw = 2.0f * q.y * q.w;
    float zw = 2.0f * q.z * q.w;
    return Matrix4{{
        1.0f - (yy + zz), xy + zw, xz - yw, 0.0f,
        xy - zw, 1.0f - (zz + xx), yz + xw, 0.0f,
        yw + xz, yz - xw, 1.0f - (yy + xx), 0.0f,
        0.0f, 0.0f, 0.0f, 1.0f,
    }};
}

Quaternion MatrixToQuaternion(const Matrix4& m) {
    auto e = [&](int row, int column) { return At(m, row, column); };
    float trace = e(0, 0) + e(1, 1) + e(2, 2);
    if (trace > 0.0f) {
        float s = 0.5f / std::sqrt(trace + 1.0f);
        return {(e(2, 1) - e(1, 2)) * s, (e(0, 2) - e(2, 0)) * s, (e(1, 0) - e(0, 1)) * s, 0.25f / s};
    }
    // Without a positive trace, divide by the largest diagonal term to stay
    // away from a square root of (nearly) zero.
    if (e(0, 0) > e(1, 1) && e(0, 0) > e(2, 2)) {
        float s = 2.0f * std::sqrt(1.0f + e(0, 0) - e(1, 1) - e(2, 2));
        return {0.25f * s, (e(0, 1) + e(1, 0)) / s, (e(0, 2) + e(2, 0)) / s, (e(2, 1) - e(1, 2)) / s};
    }
    if (e(1, 1) > e(2, 2)) {
        float s = 2.0f * std::sqrt(1.0f + e(1, 1) - e(0, 0) - e(2, 2));
        return {(e(0, 1) + e(1, 0)) / s, 0.25f * s, (e(1, 2) + e(2, 1)) / s, (e(0, 2) - e(2, 0)) / s};
    }
    float s = 2.0f * std::sqrt(1.0f + e(2, 2) - e(0, 0) - e(1, 1));
    return {(e(0, 2) + e(2, 0)) / s, (e(1, 2) + e(2, 1)) / s, 0.25f * s, (e(1, 0) - e(0, 1)) / s};
}

Matrix4 ComposeTransform(const Vector3& scale, const Quaternion& orientation, const Vector3& position) {
    return Multiply(Multiply(Translation(position), QuaternionToMatrix(orientation)), Scaling(scale));
}

Matrix4 Orthographic(float left, float right, float top, float bottom, float nearPlane, float farPlane) {
    Matrix4 result = Zero();
    result.m[0] = 2.0f / (right - left);
    result.m[12] = -(right + left) / (right - left);
    result.m[5] = 2.0f / (top - bottom);
    result.m[13] = -(top + bottom) / (top - bottom);
    result.m[10] = -2.0f / (farPlane - nearPlane);
    result.m[14] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    result.m[15] = 1.0f;
    return result;
}

Matrix4 Perspective(float verticalFovDegrees, float aspect, float nearPlane, float farPlane) {
    float halfAngle = verticalFovDegrees * 0.5f;
    halfAngle = halfAngle * kPi;
    halfAngle = halfAngle / 180.0f;
    float tangent = static_cast<float>(std::tan(static_cast<double>(halfAngle)));
    float top = tangent * nearPlane;
    float bottom = -top;
    float right = top * aspect;
    float left = bottom * aspect;

    Matrix4 result = Zero();
    result.m[0] = 2.0f * nearPlane / (right - left);
    result.m[5] = 2.0f * nearPlane / (top - bottom);
    result.m[10] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    result.m[14] = -(2.0f * nearPlane * farPlane) / (farPlane - nearPlane);
    result.m[11] = -1.0f;
    return result;
}

Matrix4 LookAt(const Vector3& eye, const Vector3& target, const Vector3& up) {
    Vector3 forward = Normalize(Subtract(eye, target));  // the view direction reversed
    Vector3 side = Normalize(Cross(up, forward));
    Vector3 upward = Cross(forward, side);

    Matrix4 rotation = kIdentityMatrix;
    const Vector3 rows[3] = {side, upward, forward};
    for (int row = 0; row < 3; ++row) {
        At(rotation, row, 0) = rows[row].x;
        At(rotation, row, 1) = rows[row].y;
        At(rotation, row, 2) = rows[row].z;
    }
    return Multiply(rotation, Translation({-eye.x, -eye.y, -eye.z}));
}

float Determinant(const Matrix4& m) {
    long double sum = 0.0L;
    for (int column = 0; column < 4; ++column)
        sum += At(m, 0, column) * Cofactor(m, 0, column);
    return static_cast<float>(sum);
}

Matrix4 Inverse(const Matrix4& m) {
    float determinant = Determinant(m);
    if (determinant == 0.0f)
        return m;
    float scale = 1.0f / determinant;
    Matrix4 result;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            At(result, row, column) = static_cast<float>(Cofactor(m, column, row) * scale);
    return result;
}
