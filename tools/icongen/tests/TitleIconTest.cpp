#include "tools/icongen/TitleIcon.h"

#include <gtest/gtest.h>

namespace {

RgbPicture BlackCard(int width, int height) {
    RgbPicture card;
    card.width = width;
    card.height = height;
    card.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    return card;
}

void Fill(RgbPicture& picture, int left, int top, int right, int bottom, uint8_t level) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            for (int c = 0; c < 3; ++c)
                picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3 + c] = level;
}

// Which icon pixels are lit, as rows of '#' and '.'.
std::vector<std::string> Lit(const RgbPicture& icon) {
    std::vector<std::string> rows;
    for (int y = 0; y < icon.height; ++y) {
        std::string row;
        for (int x = 0; x < icon.width; ++x)
            row += icon.rgb[(static_cast<size_t>(y) * icon.width + x) * 3] ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(TitleIcon, TheFirstLetterIsCentredWithItsGlowAndTheNextLeftOut) {
    RgbPicture card = BlackCard(40, 20);
    Fill(card, 9, 4, 13, 10, 40);    // a glow, too dim to widen the letter
    Fill(card, 10, 4, 12, 10, 200);  // a letter 2 wide, 6 tall: the square is 9 wide
    Fill(card, 14, 4, 16, 10, 200);  // the next letter, inside the square
    RgbPicture icon;
    std::string error;
    ASSERT_TRUE(MakeTitleIcon(card, 9, icon, error)) << error;
    const std::string dark(9, '.');
    EXPECT_EQ(Lit(icon), (std::vector<std::string>{dark, dark, "...####..", "...####..", "...####..", "...####..",
                                                   "...####..", "...####..", dark}));
    EXPECT_EQ(icon.rgb[(4 * 9 + 4) * 3], 200);
    EXPECT_EQ(icon.rgb[(4 * 9 + 3) * 3], 40);

    // A letter on the card's edge: what lies past it is black.
    RgbPicture edge = BlackCard(8, 8);
    Fill(edge, 0, 0, 2, 4, 255);
    ASSERT_TRUE(MakeTitleIcon(edge, 6, icon, error)) << error;
    EXPECT_EQ(Lit(icon), (std::vector<std::string>{"......", "..##..", "..##..", "..##..", "..##..", "......"}));
}

TEST(TitleIcon, ACardWithoutALetterIsRefusedWithTheReason) {
    RgbPicture card = BlackCard(16, 16);
    Fill(card, 2, 2, 8, 8, kStrokeLevel - 1);
    RgbPicture icon;
    std::string error;
    EXPECT_FALSE(MakeTitleIcon(card, 8, icon, error));
    EXPECT_NE(error.find("no letter"), std::string::npos) << error;

    card.rgb.pop_back();
    EXPECT_FALSE(MakeTitleIcon(card, 8, icon, error));
    EXPECT_NE(error.find("not an RGB picture"), std::string::npos) << error;
}

}
