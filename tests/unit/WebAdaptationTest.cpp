// The web backend's plain translations of what WebGL 2 lacks, and the page's
// options: all of it plain code, tested here on the desktop.
#include "demo/web/WebOptions.h"
#include "engine/platform/web/GlslEsSource.h"
#include "engine/platform/web/QuadIndices.h"
#include "engine/platform/web/TexturePixels.h"
#include "engine/render/GLConstants.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

TEST(GlslEsSourceTest, VersionBecomesEsWithPrecisionAfterItsExtensions) {
    EXPECT_EQ(ToGlslEs("#version 330\nvoid main() {}\n"),
              "#version 300 es\nprecision highp float;\nprecision highp int;\nvoid main() {}\n");
    // #extension must stay before any declaration.
    EXPECT_EQ(ToGlslEs("  #version 330 core\n#extension GL_X : enable\nout vec4 c;\n"),
              "#version 300 es\n#extension GL_X : enable\nprecision highp float;\nprecision highp int;\nout vec4 c;\n");
    // A source without a version line gets one.
    EXPECT_EQ(ToGlslEs("void main() {}"), "#version 300 es\nprecision highp float;\nprecision highp int;\nvoid main() {}\n");
}

TEST(GlslEsSourceTest, CutsOnlyTheInitialisersOfSyncUniforms) {
    const std::string es = ToGlslEs("#version 330\n"
                                    "uniform float sync_vignette = 0.35;\n"
                                    "uniform highp float sync_a=1.0; // note\n"
                                    "uniform float uFade;\n"
                                    "const float k = 2.0;\n"
                                    "// uniform float sync_b = 3.0;\n");
    EXPECT_NE(es.find("uniform float sync_vignette;\n"), std::string::npos);
    EXPECT_NE(es.find("uniform highp float sync_a; // note\n"), std::string::npos);
    EXPECT_NE(es.find("const float k = 2.0;"), std::string::npos);
    EXPECT_NE(es.find("// uniform float sync_b = 3.0;"), std::string::npos);
}

TEST(QuadIndicesTest, EachQuadBecomesTwoTrianglesOnItsDiagonal) {
    const std::vector<uint16_t> quads = {0, 1, 2, 3, 4, 5, 6, 7, 9};  // a ninth index draws nothing
    std::vector<uint8_t> bytes = QuadsToTriangles(reinterpret_cast<const uint8_t*>(quads.data()), quads.size(), 2);
    ASSERT_EQ(bytes.size(), 12u * 2);
    std::vector<uint16_t> triangles(12);
    std::memcpy(triangles.data(), bytes.data(), bytes.size());
    EXPECT_EQ(triangles, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));

    const std::vector<uint32_t> wide = {70000, 70001, 70002, 70003};
    bytes = QuadsToTriangles(reinterpret_cast<const uint8_t*>(wide.data()), wide.size(), 4);
    ASSERT_EQ(bytes.size(), 6u * 4);
    uint32_t last = 0;
    std::memcpy(&last, bytes.data() + 5 * 4, 4);
    EXPECT_EQ(last, 70003u);
    EXPECT_TRUE(QuadsToTriangles(bytes.data(), 4, 3).empty());
}

TEST(TexturePixelsTest, ReordersBgrAndStripsAlphaForAnRgbTexture) {
    // Two BGR pixels per row, rows padded to four bytes.
    const uint8_t bgr[] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    WebTextureUpload upload = ToWebTextureUpload(GL_RGB, GL_BGR, 2, 2, 4, bgr);
    ASSERT_TRUE(upload.valid);
    EXPECT_EQ(upload.format, static_cast<uint32_t>(GL_RGB));
    EXPECT_EQ(upload.pixels, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));

    const uint8_t bgra[] = {1, 2, 3, 4};
    upload = ToWebTextureUpload(GL_RGB, GL_BGRA, 1, 1, 1, bgra);
    EXPECT_EQ(upload.pixels, (std::vector<uint8_t>{3, 2, 1}));
    upload = ToWebTextureUpload(GL_RGBA, GL_BGRA, 1, 1, 1, bgra);
    EXPECT_EQ(upload.pixels, (std::vector<uint8_t>{3, 2, 1, 4}));

    // A render target's storage has no pixels; an RGBA texture cannot come from RGB.
    upload = ToWebTextureUpload(GL_RGB, GL_RGBA, 64, 64, 4, nullptr);
    EXPECT_TRUE(upload.valid && upload.pixels.empty());
    EXPECT_FALSE(ToWebTextureUpload(GL_RGBA, GL_RGB, 1, 1, 4, bgr).valid);
    EXPECT_FALSE(ToWebTextureUpload(GL_RGB, GL_RGB, 1, 1, 3, bgr).valid);
}

TEST(WebOptionsTest, ReadsTheQueryWordsAndRefusesWhatItDoesNotKnow) {
    WebOptions options = ParseWebOptions("capture=21.85 size=320x240 writelog");
    EXPECT_TRUE(options.capture && options.writeLog && options.error.empty());
    EXPECT_DOUBLE_EQ(options.captureTime, 21.85);
    EXPECT_EQ(options.width, 320);
    EXPECT_EQ(options.height, 240);

    options = ParseWebOptions("");
    EXPECT_FALSE(options.capture || options.writeLog);
    EXPECT_EQ(options.width, 1024);
    EXPECT_EQ(options.height, 768);

    for (const char* bad : {"capture=", "capture=-1", "capture=nan", "capture=5s", "size=320", "size=8x8",
                            "size=99999x240", "size=320x240x1", "play"})
        EXPECT_FALSE(ParseWebOptions(bad).error.empty()) << bad;
}
