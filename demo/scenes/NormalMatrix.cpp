#include "demo/scenes/NormalMatrix.h"

namespace {

void Cross(const float* a, const float* b, float* out) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

Matrix4 Transposed(const Matrix4& m) {
    Matrix4 result;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            result.m[row * 4 + column] = m.m[column * 4 + row];
    return result;
}

// For [L t; 0 1] the inverse is [inv(L) -inv(L)t; 0 1], and the columns of
// inv(L) transposed are the cross products of L's columns over its
// determinant: a tenth of the work of a general inverse, which the box grid
// does for every box.
Matrix4 AffineNormalMatrix(const Matrix4& m) {
    const float* c0 = &m.m[0];
    const float* c1 = &m.m[4];
    const float* c2 = &m.m[8];
    Matrix4 result;
    Cross(c1, c2, &result.m[0]);
    Cross(c2, c0, &result.m[4]);
    Cross(c0, c1, &result.m[8]);
    // c0 . (c1 x c2), as LinearDeterminant, with the cross product at hand.
    const float determinant = c0[0] * result.m[0] + c0[1] * result.m[1] + c0[2] * result.m[2];
    if (determinant == 0.0f)
        return Transposed(m);
    const float scale = 1.0f / determinant;
    const float* t = &m.m[12];
    for (int column = 0; column < 3; ++column) {
        float* n = &result.m[column * 4];
        n[0] *= scale;
        n[1] *= scale;
        n[2] *= scale;
        n[3] = -(n[0] * t[0] + n[1] * t[1] + n[2] * t[2]);
    }
    result.m[12] = result.m[13] = result.m[14] = 0.0f;
    result.m[15] = 1.0f;
    return result;
}

}

bool IsAffine(const Matrix4& m) { return m.m[3] == 0.0f && m.m[7] == 0.0f && m.m[11] == 0.0f && m.m[15] == 1.0f; }

float LinearDeterminant(const Matrix4& m) {
    float cross[3];
    Cross(&m.m[4], &m.m[8], cross);
    return m.m[0] * cross[0] + m.m[1] * cross[1] + m.m[2] * cross[2];
}

Matrix4 NormalMatrix(const Matrix4& modelView) {
    if (IsAffine(modelView))
        return AffineNormalMatrix(modelView);
    return Transposed(Inverse(modelView));
}
