#include "demo/scenes/NormalMatrix.h"

Matrix4 NormalMatrix(const Matrix4& modelView) {
    Matrix4 inverse = Inverse(modelView);
    Matrix4 result;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            result.m[row * 4 + column] = inverse.m[column * 4 + row];
    return result;
}
