#pragma once

#include <cmath>

struct Vector3 {
    float x;
    float y;
    float z;
};

inline Vector3 Subtract(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

inline float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// No guard for a zero vector: callers pass directions, never points.
inline Vector3 Normalize(const Vector3& v) {
    float length = std::sqrt(Dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}
