#include "engine/core/Matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

Vector3 TransformPoint(const Matrix4& matrix, const Vector3& point) {
    const float* m = matrix.m;
    return {m[0] * point.x + m[4] * point.y + m[8] * point.z + m[12],
            m[1] * point.x + m[5] * point.y + m[9] * point.z + m[13],
            m[2] * point.x + m[6] * point.y + m[10] * point.z + m[14]};
}

void ExpectNear(const Matrix4& actual, const Matrix4& expected, float tolerance) {
    for (int index = 0; index < 16; ++index)
        EXPECT_NEAR(actual.m[index], expected.m[index], tolerance) << "element " << index;
}

void ExpectPointNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

Quaternion Normalized(float x, float y, float z, float w) {
    float length = std::sqrt(x * x + y * y + z * z + w * w);
    return {x / length, y / length, z / length, w / length};
}

Quaternion AxisAngle(const Vector3& axis, float radians) {
    float s = std::sin(radians / 2);
    return {axis.x * s, axis.y * s, axis.z * s, std::cos(radians / 2)};
}

}

TEST(Matrix4Test, MultiplyAppliesTheRightOperandFirst) {
    Matrix4 translate = ComposeTransform({1, 1, 1}, kIdentityQuaternion, {1, 2, 3});
    Matrix4 scale = ComposeTransform({2, 2, 2}, kIdentityQuaternion, {0, 0, 0});
    ExpectPointNear(TransformPoint(Multiply(translate, scale), {1, 1, 1}), {3, 4, 5});
    ExpectPointNear(TransformPoint(Multiply(scale, translate), {1, 1, 1}), {4, 6, 8});
}

TEST(Matrix4Test, ComposeTransformWithUnitScaleIsATranslation) {
    Matrix4 expected = kIdentityMatrix;
    expected.m[12] = 1;
    expected.m[13] = 2;
    expected.m[14] = 3;
    ExpectNear(ComposeTransform({1, 1, 1}, kIdentityQuaternion, {1, 2, 3}), expected, 0.0f);
}

TEST(Matrix4Test, ComposeTransformScalesThenRotatesThenTranslates) {
    Quaternion quarterTurnZ = AxisAngle({0, 0, 1}, kPi / 2);
    Matrix4 transform = ComposeTransform({2, 3, 4}, quarterTurnZ, {10, 0, 0});
    ExpectPointNear(TransformPoint(transform, {1, 0, 0}), {10, 2, 0});
    ExpectPointNear(TransformPoint(transform, {0, 1, 0}), {7, 0, 0});
    ExpectPointNear(TransformPoint(transform, {0, 0, 1}), {10, 0, 4});
}

TEST(Matrix4Test, QuaternionToMatrixRotatesCounterClockwise) {
    Matrix4 rotation = QuaternionToMatrix(AxisAngle({1, 0, 0}, kPi / 2));
    ExpectPointNear(TransformPoint(rotation, {0, 1, 0}), {0, 0, 1});
    ExpectPointNear(TransformPoint(rotation, {0, 0, 1}), {0, -1, 0});
}

TEST(Matrix4Test, MatrixToQuaternionRecoversUnitQuaternionsOnEveryBranch) {
    const Quaternion cases[] = {
        kIdentityQuaternion,
        Normalized(0.2f, 0.4f, -0.3f, 0.8f),
        {1, 0, 0, 0},                          // half turns: trace -1, one dominant axis each
        {0, 1, 0, 0},
        {0, 0, 1, 0},
        Normalized(0.9f, 0.3f, 0.2f, 0.05f),
        Normalized(-0.1f, 0.95f, 0.2f, 0.1f),
        Normalized(0.3f, -0.2f, -0.9f, 0.1f),
    };
    for (const Quaternion& q : cases) {
        Quaternion back = MatrixToQuaternion(QuaternionToMatrix(q));
        float sign = (back.x * q.x + back.y * q.y + back.z * q.z + back.w * q.w) < 0 ? -1.0f : 1.0f;
        EXPECT_NEAR(sign * back.x, q.x, 1e-5f);
        EXPECT_NEAR(sign * back.y, q.y, 1e-5f);
        EXPECT_NEAR(sign * back.z, q.z, 1e-5f);
        EXPECT_NEAR(sign * back.w, q.w, 1e-5f);
    }
}

TEST(Matrix4Test, OrthographicPutsTheScreenOriginTopLeft) {
    Matrix4 projection = Orthographic(0, 1, 0, 1, -1, 1);
    Matrix4 expected{};
    expected.m[0] = 2;
    expected.m[5] = -2;
    expected.m[10] = -1;
    expected.m[12] = -1;
    expected.m[13] = 1;
    expected.m[15] = 1;
    ExpectNear(projection, expected, 0.0f);
    EXPECT_TRUE(std::signbit(projection.m[14]));
    ExpectPointNear(TransformPoint(projection, {0, 0, 0}), {-1, 1, 0});
    ExpectPointNear(TransformPoint(projection, {1, 1, 0}), {1, -1, 0});
}

TEST(Matrix4Test, PerspectiveOfNinetyDegrees) {
    Matrix4 projection = Perspective(90, 1, 1, 3);
    Matrix4 expected{};
    expected.m[0] = 1;
    expected.m[5] = 1;
    expected.m[10] = -2;
    expected.m[11] = -1;
    expected.m[14] = -3;
    ExpectNear(projection, expected, 1e-6f);
}

TEST(Matrix4Test, LookAtDownTheNegativeZAxis) {
    Matrix4 expected = kIdentityMatrix;
    expected.m[14] = -5;
    ExpectNear(LookAt({0, 0, 5}, {0, 0, 0}, {0, 1, 0}), expected, 0.0f);
}

TEST(Matrix4Test, LookAtPutsTheTargetAheadAndUpAbove) {
    Vector3 eye{3, 4, -2};
    Vector3 target{-1, 0, 6};
    Matrix4 view = LookAt(eye, target, {0, 1, 0});
    float distance = std::sqrt(16.0f + 16.0f + 64.0f);
    ExpectPointNear(TransformPoint(view, eye), {0, 0, 0});
    ExpectPointNear(TransformPoint(view, target), {0, 0, -distance});
    EXPECT_GT(TransformPoint(view, {3, 5, -2}).y, 0.0f);
}

TEST(Matrix4Test, DeterminantCarriesTheSignOfThePermutation) {
    EXPECT_FLOAT_EQ(Determinant(ComposeTransform({2, 3, 4}, kIdentityQuaternion, {5, 6, 7})), 24.0f);
    Matrix4 swapXY{};  // one transposition: -1
    swapXY.m[1] = 1;
    swapXY.m[4] = 1;
    swapXY.m[10] = 1;
    swapXY.m[15] = 1;
    EXPECT_FLOAT_EQ(Determinant(swapXY), -1.0f);
    Matrix4 cycle{};  // x -> y -> z -> w -> x, an odd permutation
    cycle.m[1] = 1;
    cycle.m[6] = 1;
    cycle.m[11] = 1;
    cycle.m[12] = 1;
    EXPECT_FLOAT_EQ(Determinant(cycle), -1.0f);
}

TEST(Matrix4Test, InverseTimesMatrixIsTheIdentity) {
    Matrix4 transform = ComposeTransform({2, 0.5f, 3}, Normalized(0.2f, 0.4f, -0.3f, 0.8f), {1, -2, 7});
    Matrix4 projection = Perspective(70, 4.0f / 3.0f, 0.1f, 50);
    for (const Matrix4& matrix : {transform, projection, Multiply(projection, transform)}) {
        ExpectNear(Multiply(Inverse(matrix), matrix), kIdentityMatrix, 1e-4f);
        ExpectNear(Multiply(matrix, Inverse(matrix)), kIdentityMatrix, 1e-4f);
    }
}

TEST(Matrix4Test, InverseOfASingularMatrixIsTheMatrixItself) {
    Matrix4 singular = ComposeTransform({2, 3, 4}, kIdentityQuaternion, {1, 2, 3});
    singular.m[4] = singular.m[5] = singular.m[6] = singular.m[7] = 0;  // column 1
    EXPECT_EQ(Determinant(singular), 0.0f);
    ExpectNear(Inverse(singular), singular, 0.0f);
}
