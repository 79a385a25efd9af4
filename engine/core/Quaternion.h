#pragma once

// An orientation as a unit quaternion; the vector part comes first.
struct Quaternion {
    float x;
    float y;
    float z;
    float w;
};

constexpr Quaternion kIdentityQuaternion = {0.0f, 0.0f, 0.0f, 1.0f};
