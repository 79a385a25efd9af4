#include "tools/cardgen/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>

namespace {

constexpr float kSubpixels = 64.0f;

}

FontFace::~FontFace() {
    if (face)
        FT_Done_Face(face);
    if (library)
        FT_Done_FreeType(library);
}

bool FontFace::Open(const std::string& path, float pixelSize) {
    size = pixelSize;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, path.c_str(), 0, &face) != 0)
        return false;
    return FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(pixelSize * kSubpixels)), 72, 72) == 0;
}

float FontFace::Advance(unsigned glyph) const {
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING) != 0)
        return 0.0f;
    return static_cast<float>(face->glyph->linearHoriAdvance) / 65536.0f;
}

float FontFace::Kerning(unsigned left, unsigned right) const {
    FT_Vector kerning{0, 0};
    if (left == 0 || !FT_HAS_KERNING(face) || FT_Get_Kerning(face, left, right, FT_KERNING_UNFITTED, &kerning) != 0)
        return 0.0f;
    return static_cast<float>(kerning.x) / kSubpixels;
}

float FontFace::Measure(const std::string& text, float tracking) const {
    float pen = 0.0f;
    unsigned previous = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned glyph = FT_Get_Char_Index(face, static_cast<unsigned char>(text[i]));
        pen += Kerning(previous, glyph) + Advance(glyph);
        if (i + 1 < text.size())
            pen += tracking * size;
        previous = glyph;
    }
    return pen;
}

void FontFace::Draw(const std::string& text, float tracking, float x, float baseline, Plane& plane) const {
    float pen = x;
    unsigned previous = 0;
    for (char c : text) {
        const unsigned glyph = FT_Get_Char_Index(face, static_cast<unsigned char>(c));
        pen += Kerning(previous, glyph);
        DrawGlyph(glyph, pen, baseline, plane);
        pen += Advance(glyph) + tracking * size;
        previous = glyph;
    }
}

// The glyph is rendered with the pen's fraction of a pixel as an offset, so
// that spacing is exact; its bitmap lands on whole pixels.
void FontFace::DrawGlyph(unsigned glyph, float x, float baseline, Plane& plane) const {
    const float wholeX = std::floor(x), wholeY = std::floor(baseline);
    FT_Vector offset{static_cast<FT_Pos>(std::lround((x - wholeX) * kSubpixels)),
                     -static_cast<FT_Pos>(std::lround((baseline - wholeY) * kSubpixels))};
    FT_Set_Transform(face, nullptr, &offset);
    const bool rendered = FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING | FT_LOAD_RENDER) == 0;
    FT_Set_Transform(face, nullptr, nullptr);
    if (!rendered)
        return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int left = static_cast<int>(wholeX) + slot->bitmap_left;
    const int top = static_cast<int>(wholeY) - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const unsigned char coverage = bitmap.buffer[row * bitmap.pitch + column];
            if (coverage)
                plane.Add(left + static_cast<int>(column), top + static_cast<int>(row), coverage / 255.0f);
        }
}
