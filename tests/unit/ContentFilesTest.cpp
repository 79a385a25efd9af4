#include "engine/files/FileSystem.h"
#include "engine/files/Image.h"
#include "engine/files/ImageLoader.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshLoader.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// The committed content, read the way the demo reads it.
class ContentFilesTest : public ::testing::Test {
protected:
    ContentFilesTest() : workingDirectory(ZP_SOURCE_DIR) { engine.fileSystem = &fileSystem; }

    WorkingDirectoryScope workingDirectory;
    FileSystem fileSystem;
    TestEngine engine;
};

TEST_F(ContentFilesTest, TitleCardsAreSquareTrueColourImages) {
    for (const char* path : {"data/textures/lumenweaver.tga", "data/textures/zephalpresents.tga", "data/textures/festa.tga"}) {
        std::unique_ptr<Image> image(LoadImage(path));
        ASSERT_TRUE(image) << path;
        EXPECT_EQ(image->width, 1024) << path;
        EXPECT_EQ(image->height, 1024) << path;
        EXPECT_EQ(image->format, R8G8B8) << path;
    }
}

TEST_F(ContentFilesTest, TheSceneMeshHasANormalPerPositionAndValidTriangles) {
    std::unique_ptr<Mesh> mesh(LoadMesh("data/objects/spiky_fat.mesh"));
    ASSERT_TRUE(mesh);
    EXPECT_EQ(mesh->normals.size(), mesh->positions.size());
    EXPECT_GE(mesh->triangles.size(), 10000u);
    uint32_t highest = 0;
    for (const Triangle& t : mesh->triangles)
        highest = std::max({highest, t.a, t.b, t.c});
    EXPECT_LT(highest, mesh->positions.size());
}

}
