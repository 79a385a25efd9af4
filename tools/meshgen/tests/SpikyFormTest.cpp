#include "engine/files/MemoryStream.h"
#include "engine/files/MeshFileCodec.h"
#include "tools/meshgen/SpikyForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(const Vec3& a, const Vec3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

TEST(SpikyForm, RegeneratesTheCommittedFileByteForByte) {
    MemoryStream generated;
    ASSERT_TRUE(MeshFileCodec().Encode(BuildSpikyForm(), generated));
    MemoryStream committed;
    ASSERT_TRUE(committed.LoadFromFile(ZP_SOURCE_DIR "/data/objects/spiky_fat.mesh"));
    ASSERT_EQ(generated.Length(), committed.Length());
    EXPECT_EQ(std::memcmp(generated.Data(), committed.Data(), committed.Length()), 0);
}

// The scene draws it at 0.01 with back faces culled: about four units across,
// faces wound outwards, one unit normal per position.
TEST(SpikyForm, IsAClosedSpikyBodyAboutFourHundredUnitsAcross) {
    const Mesh mesh = BuildSpikyForm();
    EXPECT_GT(mesh.triangles.size(), 20000u);
    EXPECT_LT(mesh.triangles.size(), 100000u);
    ASSERT_EQ(mesh.normals.size(), mesh.positions.size());
    EXPECT_TRUE(mesh.texCoords.empty());
    float nearest = 1e9f, farthest = 0.0f;
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        const float radius = std::sqrt(Dot(mesh.positions[i], mesh.positions[i]));
        nearest = std::min(nearest, radius);
        farthest = std::max(farthest, radius);
        EXPECT_NEAR(Dot(mesh.normals[i], mesh.normals[i]), 1.0f, 1e-4f);
    }
    EXPECT_GT(nearest, 90.0f);
    EXPECT_GT(farthest, 180.0f);
    EXPECT_LT(farthest, 230.0f);
    EXPECT_GT(farthest / nearest, 1.5f);  // spikes, not swells
    // Faces wound counter-clockwise from outside enclose a positive volume;
    // it lies between the volumes of the smallest and the largest sphere.
    double volume = 0.0;
    for (const Triangle& t : mesh.triangles) {
        ASSERT_LT(std::max({t.a, t.b, t.c}), mesh.positions.size());
        volume += Dot(mesh.positions[t.a], Cross(mesh.positions[t.b], mesh.positions[t.c])) / 6.0;
    }
    const double fourThirdsPi = 4.18879;
    EXPECT_GT(volume, fourThirdsPi * nearest * nearest * nearest);
    EXPECT_LT(volume, fourThirdsPi * farthest * farthest * farthest);
}

}
