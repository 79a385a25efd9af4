#include "engine/files/FileSystem.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshCodec.h"
#include "engine/files/MeshCodecRegistry.h"
#include "engine/files/MeshFileCodec.h"
#include "engine/files/MeshLoader.h"
#include "engine/files/ObjCodec.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

MemoryStream StreamOf(const void* bytes, size_t size) {
    MemoryStream stream;
    stream.Write(bytes, static_cast<uint32_t>(size));
    return stream;
}

std::unique_ptr<Mesh> DecodeObj(const std::string& text) {
    MemoryStream stream = StreamOf(text.data(), text.size());
    return std::unique_ptr<Mesh>(ObjCodec().Decode(stream));
}

std::unique_ptr<Mesh> DecodeMeshFile(MemoryStream& stream) {
    return std::unique_ptr<Mesh>(MeshFileCodec().Decode(stream));
}

void ExpectVec3(const Vec3& actual, float x, float y, float z) {
    EXPECT_FLOAT_EQ(actual.x, x);
    EXPECT_FLOAT_EQ(actual.y, y);
    EXPECT_FLOAT_EQ(actual.z, z);
}

void ExpectTriangle(const Triangle& actual, uint32_t a, uint32_t b, uint32_t c) {
    EXPECT_EQ(actual.a, a);
    EXPECT_EQ(actual.b, b);
    EXPECT_EQ(actual.c, c);
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const char kFourCorners[] =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\n";

TEST(MeshFileCodec, SixteenZeroBytesGiveAnEmptyMesh) {
    const uint8_t zeros[16] = {};
    MemoryStream stream = StreamOf(zeros, sizeof zeros);
    auto mesh = DecodeMeshFile(stream);
    ASSERT_TRUE(mesh);
    EXPECT_TRUE(mesh->positions.empty() && mesh->normals.empty() && mesh->texCoords.empty() && mesh->triangles.empty());
}

TEST(MeshFileCodec, EncodeThenDecodeGivesIdenticalLists) {
    Mesh original;
    original.positions = {{1.5f, -2.25f, 3.0f}, {-0.0f, 1e-30f, 4e30f}};
    original.normals = {{0.0f, 1.0f, 0.0f}};
    original.texCoords = {{0.25f, 0.75f}, {1.0f, 0.0f}, {0.5f, 0.5f}};
    original.triangles = {{0, 1, 0}, {1, 0, 4000000000u}};
    MemoryStream stream;
    ASSERT_TRUE(MeshFileCodec().Encode(original, stream));
    EXPECT_EQ(stream.Length(), 4u * 4 + 2 * 12 + 12 + 3 * 8 + 2 * 12);
    auto decoded = DecodeMeshFile(stream);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->positions.size(), 2u);
    EXPECT_TRUE(SameBits(decoded->positions[1].x, -0.0f));
    EXPECT_TRUE(SameBits(decoded->positions[1].z, 4e30f));
    ASSERT_EQ(decoded->normals.size(), 1u);
    ASSERT_EQ(decoded->texCoords.size(), 3u);
    EXPECT_FLOAT_EQ(decoded->texCoords[0].v, 0.75f);
    ASSERT_EQ(decoded->triangles.size(), 2u);
    ExpectTriangle(decoded->triangles[1], 1, 0, 4000000000u);
}

TEST(MeshFileCodec, CountsBeyondTheDataAreRefused) {
    // A count of four billion positions followed by a single one.
    const uint32_t words[] = {0xFFFFFFF0u, 0, 0, 0};
    MemoryStream huge = StreamOf(words, sizeof words);
    EXPECT_FALSE(DecodeMeshFile(huge));

    Mesh mesh;
    mesh.triangles = {{0, 1, 2}};
    MemoryStream cut;
    MeshFileCodec().Encode(mesh, cut);
    MemoryStream truncated = StreamOf(cut.Data(), cut.Length() - 1);
    EXPECT_FALSE(DecodeMeshFile(truncated));
}

TEST(ObjCodec, PositionsAndNormalsTurnFromZUpToYUp) {
    auto mesh = DecodeObj("v 1 2 3\nvn 0 0 1\nvt 0.25 0.5\nf 1/1/1 1/1/1 1/1/1\n");
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->positions.size(), 1u);
    ExpectVec3(mesh->positions[0], 1, 3, -2);
    ExpectVec3(mesh->normals[0], 0, 1, -0.0f);
    EXPECT_FLOAT_EQ(mesh->texCoords[0].u, 0.25f);
    EXPECT_FLOAT_EQ(mesh->texCoords[0].v, 0.5f);
}

TEST(ObjCodec, QuadSplitsIntoTwoTrianglesAndSharedCornersShareVertices) {
    auto mesh = DecodeObj(std::string(kFourCorners) + "f 1/1/1 2/2/2 3/3/3 4/4/4\nf 1/1/1 3/3/3 2/2/2\n");
    ASSERT_TRUE(mesh);
    EXPECT_EQ(mesh->positions.size(), 4u);
    EXPECT_EQ(mesh->normals.size(), 4u);
    EXPECT_EQ(mesh->texCoords.size(), 4u);
    ASSERT_EQ(mesh->triangles.size(), 3u);
    ExpectTriangle(mesh->triangles[0], 0, 1, 2);
    ExpectTriangle(mesh->triangles[1], 0, 2, 3);
    ExpectTriangle(mesh->triangles[2], 0, 2, 1);
}

TEST(ObjCodec, MalformedFacesAndStatementsFailTheWholeFile) {
    const std::string corners = kFourCorners;
    const char* faces[] = {
        "f 1/1/1 2/2/2 3/3\n",                  // pieces differ between corners
        "f 1/1/1 2/2/2 3/3/3 4/4/4 1/1/1\n",    // five corners
        "f 1 2\n",                              // two corners
        "f 0 1 2\n",                            // index 0 names nothing
        "f 1 2 5\n",                            // one beyond the positions
        "f 1/5/1 2/2/2 3/3/3\n",                // one beyond the texture coordinates
        "f -5 -1 -2\n",                         // before the first position
        "f /1/1 2/2/2 3/3/3\n",                 // no position
        "f 1/1/1/1 2/2/2/2 3/3/3/3\n",          // a fourth piece
        "f a b c\n",                            // no numbers
    };
    for (const char* face : faces)
        EXPECT_FALSE(DecodeObj(corners + face)) << face;
    EXPECT_FALSE(DecodeObj("v 1 2\n"));
    EXPECT_FALSE(DecodeObj("vn 1 2\n"));
    EXPECT_FALSE(DecodeObj("vt 1\n"));
}

TEST(ObjCodec, NegativeIndicesCountBackFromTheEntriesReadSoFar) {
    auto mesh = DecodeObj(std::string(kFourCorners) + "vn 1 0 0\nf -1/-1/-1 -2/-2/-2 -3/-3/-3\nv 9 9 9\n");
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->positions.size(), 3u);
    ExpectVec3(mesh->positions[0], 0, 0, -1);  // the fourth position, (0, 1, 0) in the file
    ExpectVec3(mesh->normals[0], 1, 0, -0.0f);
    EXPECT_FLOAT_EQ(mesh->texCoords[0].u, 0.0f);
    EXPECT_FLOAT_EQ(mesh->texCoords[0].v, 1.0f);
}

TEST(ObjCodec, CornerPiecesAreReadByPositionAndAbsentOnesAreZero) {
    auto mesh = DecodeObj(std::string(kFourCorners) + "vn 1 0 0\nf 1//5 2//5 3//5\nf 1 2 4\n");
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->positions.size(), 6u);
    ExpectVec3(mesh->normals[0], 1, 0, -0.0f);  // 1//5 is normal 5, no texture coordinate
    EXPECT_FLOAT_EQ(mesh->texCoords[0].u, 0.0f);
    ExpectVec3(mesh->normals[3], 0, 0, 0);      // a bare position has no normal
    ExpectTriangle(mesh->triangles[1], 3, 4, 5);
}

TEST(ObjCodec, FilesWithoutFacesGiveAnEmptyMesh) {
    auto mesh = DecodeObj(kFourCorners);
    ASSERT_TRUE(mesh);
    EXPECT_TRUE(mesh->positions.empty() && mesh->normals.empty() && mesh->triangles.empty());
}

// The way common modelling tools export: a header comment, material library,
// object and group names, smoothing groups, Windows line ends, no final line
// feed, and the three corner forms.
TEST(ObjCodec, ExportedFilesDecodeToTheExpectedCounts) {
    const std::string cube =
        "# exported cube\r\nmtllib cube.mtl\r\no Cube\r\n"
        "v 1 1 -1\r\nv 1 -1 -1\r\nv 1 1 1\r\nv 1 -1 1\r\nv -1 1 -1\r\nv -1 -1 -1\r\nv -1 1 1\r\nv -1 -1 1\r\n"
        "vt 0 0\r\nvt 1 0\r\nvt 1 1\r\nvt 0 1\r\n"
        "vn 0 1 0\r\nvn 0 0 1\r\nvn -1 0 0\r\nvn 0 -1 0\r\nvn 1 0 0\r\nvn 0 0 -1\r\n"
        "usemtl Material\r\ns off\r\ng faces\r\n"
        "f 1/1/1 5/2/1 7/3/1 3/4/1\r\nf 4/1/2 3/2/2 7/3/2 8/4/2\r\nf 8/1/3 7/2/3 5/3/3 6/4/3\r\n"
        "f 6/1/4 2/2/4 4/3/4 8/4/4\r\nf 2/1/5 1/2/5 3/3/5 4/4/5\r\nf 6/1/6 5/2/6 1/3/6 2/4/6";
    auto textured = DecodeObj(cube);
    ASSERT_TRUE(textured);
    EXPECT_EQ(textured->positions.size(), 24u);
    EXPECT_EQ(textured->triangles.size(), 12u);

    const std::string normalsOnly =
        "# normals, no texture\ng pyramid\ns 1\nv 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\n"
        "vn 0 0 -1\nvn 1 1 1\n\tf 1//1 3//1 2//1\nf 1//2 2//2 4//2\n f 2//2 3//2 4//2\n";
    auto smooth = DecodeObj(normalsOnly);
    ASSERT_TRUE(smooth);
    EXPECT_EQ(smooth->positions.size(), 7u);
    EXPECT_EQ(smooth->triangles.size(), 3u);

    const std::string bare = "o quad\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 0 0\nf 1 2 3 4\nf 2 5 3\n";
    auto plain = DecodeObj(bare);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->positions.size(), 5u);
    EXPECT_EQ(plain->triangles.size(), 3u);
}

class MeshLoaderTest : public ::testing::Test {
protected:
    MeshLoaderTest() : workingDirectory(scratch.path) { engine.fileSystem = &fileSystem; }

    TemporaryDirectory scratch;
    WorkingDirectoryScope workingDirectory;
    FileSystem fileSystem;
    TestEngine engine;
};

TEST_F(MeshLoaderTest, LoadsByExtensionAndNamesTheMesh) {
    WriteTestFile("data/objects/quad.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3\n");
    std::unique_ptr<Mesh> mesh(LoadMesh("data/objects/quad.obj"));
    ASSERT_TRUE(mesh);
    EXPECT_EQ(mesh->name, "data/objects/quad.obj");
    EXPECT_EQ(mesh->triangles.size(), 1u);
    EXPECT_TRUE(engine.sink.lines.empty());
    EXPECT_FALSE(LoadMesh("data/objects/missing.mesh"));
    EXPECT_TRUE(engine.sink.lines.empty());
}

TEST_F(MeshLoaderTest, ReportsAMissingOrUnknownCodec) {
    WriteTestFile("data/objects/BOX.MESH", std::string(16, '\0'));
    WriteTestFile("data/objects/box", std::string(16, '\0'));
    EXPECT_FALSE(LoadMesh("data/objects/BOX.MESH"));
    EXPECT_FALSE(LoadMesh("data/objects/box"));
    const std::vector<std::string> expected = {
        "Cannot load mesh from file 'data/objects/BOX.MESH'. No codec found for extension 'MESH'.",
        "Cannot load mesh from file 'data/objects/box'. No codec found, because the file has no extension.",
    };
    EXPECT_EQ(engine.sink.Texts(), expected);
}

TEST(MeshCodecRegistry, HoldsBothCodecsAndKeepsTheFirstRegistration) {
    std::unique_ptr<MeshCodec> binary(MeshCodecRegistry::Instance().Create("mesh"));
    std::unique_ptr<MeshCodec> text(MeshCodecRegistry::Instance().Create("obj"));
    EXPECT_TRUE(dynamic_cast<MeshFileCodec*>(binary.get()));
    EXPECT_TRUE(dynamic_cast<ObjCodec*>(text.get()));
    EXPECT_FALSE(MeshCodecRegistry::Instance().Register("obj", [] { return static_cast<MeshCodec*>(nullptr); }));
    MemoryStream out;
    EXPECT_FALSE(text->Encode(Mesh(), out));
}

}
