#include "tools/cardgen/TgaWriter.h"
#include "tools/cardgen/TitleCards.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class TitleCardsTest : public ::testing::TestWithParam<std::string> {};

// Setting the cards needs the Lato font of the fonts-lato package.
TEST_P(TitleCardsTest, RegeneratesTheCommittedFileByteForByte) {
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(RenderTitleCard(GetParam(), rgb)) << "fonts-lato missing?";
    const std::vector<uint8_t> committed = ReadFile(std::string(ZP_SOURCE_DIR) + "/" + GetParam());
    EXPECT_TRUE(EncodeTga(rgb, kCardSize, kCardSize) == committed);
}

// Drawn over the full width of a 4:3 screen, rows below three quarters are
// off screen; lettering there would be lost.
TEST_P(TitleCardsTest, LightsOnlyTheTopThreeQuartersAndSomethingThere) {
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(RenderTitleCard(GetParam(), rgb));
    ASSERT_EQ(rgb.size(), static_cast<size_t>(kCardSize) * kCardSize * 3);
    const size_t visibleBytes = static_cast<size_t>(kCardSize) * (kCardSize * 3 / 4) * 3;
    size_t lit = 0, bright = 0;
    for (size_t i = 0; i < rgb.size(); ++i) {
        if (i >= visibleBytes) {
            ASSERT_EQ(rgb[i], 0) << "byte " << i;
        }
        lit += rgb[i] > 0;
        bright += rgb[i] > 200;
    }
    EXPECT_GT(bright, 1000u);
    EXPECT_LT(lit, visibleBytes / 2);  // mostly black, so mostly transparent
}

INSTANTIATE_TEST_SUITE_P(Cards, TitleCardsTest, ::testing::ValuesIn(TitleCardPaths()));

TEST(TgaWriter, WritesAnUncompressedBottomUpTrueColourImage) {
    const std::vector<uint8_t> rgb = {1, 2, 3, 4, 5, 6};  // top row, then bottom row
    const std::vector<uint8_t> tga = EncodeTga(rgb, 1, 2);
    const std::vector<uint8_t> expected = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 24, 0, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(tga, expected);
}

}
