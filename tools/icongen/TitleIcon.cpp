#include "tools/icongen/TitleIcon.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;  // one past the last column
    int bottom = 0;  // one past the last row
};

bool IsStroke(const RgbPicture& picture, int x, int y) {
    const uint8_t* pixel = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    return std::max({pixel[0], pixel[1], pixel[2]}) >= kStrokeLevel;
}

bool ColumnHasStroke(const RgbPicture& picture, int x) {
    for (int y = 0; y < picture.height; ++y)
        if (IsStroke(picture, x, y))
            return true;
    return false;
}

// The strokes of the first letter: the leftmost run of columns that hold a
// stroke, and the rows those columns reach. Its glow reaches halfway to the
// next letter: reach is the first column past it.
bool FindFirstLetter(const RgbPicture& picture, Box& letter, int& reach) {
    int x = 0;
    while (x < picture.width && !ColumnHasStroke(picture, x))
        ++x;
    if (x == picture.width)
        return false;
    letter.left = x;
    while (x < picture.width && ColumnHasStroke(picture, x))
        ++x;
    letter.right = x;
    while (x < picture.width && !ColumnHasStroke(picture, x))
        ++x;
    reach = (letter.right + x) / 2;
    letter.top = picture.height;
    letter.bottom = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int column = letter.left; column < letter.right; ++column)
            if (IsStroke(picture, column, y)) {
                letter.top = std::min(letter.top, y);
                letter.bottom = std::max(letter.bottom, y + 1);
            }
    return true;
}

// A square around the letter with room for its glow; it may reach past the
// card's edges, which count as black.
Box SquareAround(const Box& letter) {
    const int side = std::max(letter.right - letter.left, letter.bottom - letter.top) * 3 / 2;
    Box square;
    square.left = (letter.left + letter.right - side) / 2;
    square.top = (letter.top + letter.bottom - side) / 2;
    square.right = square.left + side;
    square.bottom = square.top + side;
    return square;
}

// Each icon pixel is the mean of the card pixels whose centres fall in it;
// from column reach on, the card counts as black.
void ScaleInto(const RgbPicture& card, const Box& square, int reach, int size, RgbPicture& icon) {
    const int side = square.right - square.left;
    icon.width = size;
    icon.height = size;
    icon.rgb.assign(static_cast<size_t>(size) * size * 3, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int x0 = square.left + x * side / size, x1 = std::max(x0 + 1, square.left + (x + 1) * side / size);
            const int y0 = square.top + y * side / size, y1 = std::max(y0 + 1, square.top + (y + 1) * side / size);
            uint32_t sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    if (sx < 0 || sy < 0 || sx >= reach || sy >= card.height)
                        continue;
                    const uint8_t* pixel = &card.rgb[(static_cast<size_t>(sy) * card.width + sx) * 3];
                    for (int c = 0; c < 3; ++c)
                        sum[c] += pixel[c];
                }
            const uint32_t count = static_cast<uint32_t>((x1 - x0) * (y1 - y0));
            for (int c = 0; c < 3; ++c)
                icon.rgb[(static_cast<size_t>(y) * size + x) * 3 + c] = static_cast<uint8_t>(sum[c] / count);
        }
}

}

bool MakeTitleIcon(const RgbPicture& card, int size, RgbPicture& icon, std::string& error) {
    if (card.width <= 0 || card.height <= 0 || card.rgb.size() != static_cast<size_t>(card.width) * card.height * 3) {
        error = "the card is not an RGB picture";
        return false;
    }
    Box letter;
    int reach = 0;
    if (!FindFirstLetter(card, letter, reach)) {
        error = "the card holds no letter: no pixel reaches " + std::to_string(kStrokeLevel);
        return false;
    }
    ScaleInto(card, SquareAround(letter), reach, size, icon);
    return true;
}
