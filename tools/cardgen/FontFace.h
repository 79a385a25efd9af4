#pragma once

#include "tools/cardgen/Plane.h"

#include <string>

struct FT_LibraryRec_;
struct FT_FaceRec_;

// One face of a font file at one pixel size, set through FreeType: kerned,
// with extra letter spacing, positioned to a 64th of a pixel, unhinted so
// that the outlines keep the designer's shapes.
class FontFace {
public:
    FontFace() = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    bool Open(const std::string& path, float pixelSize);
    // The pen advance of the text in pixels; tracking is in ems.
    float Measure(const std::string& text, float tracking) const;
    // Adds the coverage of the text, its first pen position at (x, baseline).
    void Draw(const std::string& text, float tracking, float x, float baseline, Plane& plane) const;
    float PixelSize() const { return size; }

private:
    float Advance(unsigned glyph) const;
    float Kerning(unsigned left, unsigned right) const;
    void DrawGlyph(unsigned glyph, float x, float baseline, Plane& plane) const;

    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
    float size = 0.0f;
};
