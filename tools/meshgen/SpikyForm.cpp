#include "tools/meshgen/SpikyForm.h"

#include "tools/meshgen/Icosphere.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kSubdivisions = 6;
constexpr int kSpikeCount = 38;
constexpr float kBodyRadius = 122.0f;
constexpr float kPi = 3.14159265358979f;

struct Spike {
    Vec3 axis;
    Vec3 bend;  // the way the thorn curls, across its axis
    float length;
    float halfAngle;
};

Vec3 Add(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Scaled(const Vec3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
float DotOf(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 CrossOf(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Unit(const Vec3& v) { return Scaled(v, 1.0f / std::sqrt(DotOf(v, v))); }

// A fixed pseudo-random number in [0, 1) for each seed.
float Hash(uint32_t seed) {
    seed ^= seed >> 16;
    seed *= 0x7feb352du;
    seed ^= seed >> 15;
    seed *= 0x846ca68bu;
    seed ^= seed >> 16;
    return static_cast<float>(seed >> 8) / 16777216.0f;
}

// Thorns spread evenly over the sphere on a golden-angle spiral, each with
// its own length, width and curl.
std::vector<Spike> PlaceSpikes() {
    std::vector<Spike> spikes;
    for (int i = 0; i < kSpikeCount; ++i) {
        const float y = 1.0f - 2.0f * (static_cast<float>(i) + 0.5f) / kSpikeCount;
        const float ring = std::sqrt(1.0f - y * y);
        const float angle = static_cast<float>(i) * 2.39996323f + 0.35f * Hash(3 * i);
        const Vec3 axis = Unit({ring * std::cos(angle), y, ring * std::sin(angle)});
        const Vec3 side = std::fabs(axis.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
        const float twist = 2.0f * kPi * Hash(3 * i + 1);
        const Vec3 u = Unit(CrossOf(axis, side));
        const Vec3 v = CrossOf(axis, u);
        const Vec3 bend = Add(Scaled(u, std::cos(twist)), Scaled(v, std::sin(twist)));
        const float length = 52.0f + 36.0f * Hash(3 * i + 2);
        const float halfAngle = 0.24f + 0.10f * Hash(7 * i + 5);
        spikes.push_back({axis, bend, length, halfAngle});
    }
    return spikes;
}

// Slow swells over the body, so it reads as grown rather than turned.
float BodyRadius(const Vec3& d) {
    const float swell = 0.13f * std::sin(2.3f * d.x + 0.7f) * std::sin(1.9f * d.y + 1.1f) +
                        0.09f * std::sin(3.1f * d.z + 2.0f * d.x) + 0.06f * std::cos(4.7f * d.y - 1.3f * d.z) +
                        0.04f * std::sin(6.1f * d.x + 5.3f * d.z - 0.4f);
    return kBodyRadius * (1.0f + swell);
}

// The point of direction d: the body plus every thorn it lies on, each
// rising with a concave flank to a point and curling at its tip.
Vec3 Displace(const Vec3& d, const std::vector<Spike>& spikes) {
    float radius = BodyRadius(d);
    Vec3 curl{0, 0, 0};
    for (const Spike& spike : spikes) {
        const float angle = std::acos(std::min(1.0f, DotOf(d, spike.axis)));
        if (angle >= spike.halfAngle)
            continue;
        const float s = 1.0f - angle / spike.halfAngle;
        const float mound = 0.18f * spike.length * s * s * (3.0f - 2.0f * s);
        const float rise = 0.82f * spike.length * s * s * s + mound;
        radius += rise;
        curl = Add(curl, Scaled(spike.bend, 0.35f * rise * rise / spike.length));
    }
    return Add(Scaled(d, radius), curl);
}

// Area-weighted face normals summed at each vertex.
std::vector<Vec3> SmoothNormals(const std::vector<Vec3>& positions, const std::vector<Triangle>& triangles) {
    std::vector<Vec3> normals(positions.size(), Vec3{0, 0, 0});
    for (const Triangle& t : triangles) {
        const Vec3& a = positions[t.a];
        const Vec3 edge1 = Add(positions[t.b], Scaled(a, -1.0f));
        const Vec3 edge2 = Add(positions[t.c], Scaled(a, -1.0f));
        const Vec3 face = CrossOf(edge1, edge2);
        for (uint32_t index : {t.a, t.b, t.c})
            normals[index] = Add(normals[index], face);
    }
    for (Vec3& normal : normals)
        normal = Unit(normal);
    return normals;
}

}

Mesh BuildSpikyForm() {
    Mesh mesh;
    std::vector<Vec3> directions;
    BuildIcosphere(kSubdivisions, directions, mesh.triangles);
    const std::vector<Spike> spikes = PlaceSpikes();
    mesh.positions.reserve(directions.size());
    for (const Vec3& d : directions)
        mesh.positions.push_back(Displace(d, spikes));
    mesh.normals = SmoothNormals(mesh.positions, mesh.triangles);
    return mesh;
}
