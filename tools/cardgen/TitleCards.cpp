#include "tools/cardgen/TitleCards.h"

#include "tools/cardgen/FontFace.h"
#include "tools/cardgen/Plane.h"

#include <algorithm>
#include <cmath>

namespace {

const char kFontDirectory[] = "/usr/share/fonts/truetype/lato/";

struct Colour {
    float r, g, b;
};

// Crisp lettering and the marks beside it; the glow is made from both.
struct Layers {
    Layers() : letters(kCardSize, kCardSize) {}
    Plane letters;
};

bool Open(FontFace& face, const char* file, float size) { return face.Open(std::string(kFontDirectory) + file, size); }

// A hairline that fades out towards both ends, centred on cx.
void DrawHairline(Plane& plane, float cx, float y, float halfLength, float strength) {
    const int row = static_cast<int>(std::floor(y));
    const float below = y - row;
    for (int x = static_cast<int>(cx - halfLength); x <= static_cast<int>(cx + halfLength); ++x) {
        const float t = (x - cx) / halfLength;
        const float fade = strength * std::exp(-3.0f * t * t) * (1.0f - t * t);
        plane.Add(x, row, fade * (1.0f - below));
        plane.Add(x, row + 1, fade * below);
    }
}

// A small four-pointed star, the mark of light the title hangs from.
void DrawSpark(Plane& plane, float cx, float cy, float radius, float strength) {
    for (int y = static_cast<int>(cy - radius); y <= static_cast<int>(cy + radius); ++y)
        for (int x = static_cast<int>(cx - radius); x <= static_cast<int>(cx + radius); ++x) {
            const float dx = std::fabs(x + 0.5f - cx) / radius, dy = std::fabs(y + 0.5f - cy) / radius;
            const float star = std::max(0.0f, 1.0f - std::sqrt(dx) - std::sqrt(dy));
            plane.Add(x, y, strength * star * star);
        }
}

bool DrawTitle(Layers& layers) {
    FontFace thin;
    if (!Open(thin, "Lato-Thin.ttf", 128.0f))
        return false;
    const float tracking = 0.09f;
    const float width = thin.Measure("Lumenweaver", tracking);
    thin.Draw("Lumenweaver", tracking, 0.5f * (kCardSize - width), 410.0f, layers.letters);
    DrawHairline(layers.letters, 512.0f, 452.5f, 0.5f * width + 20.0f, 0.8f);
    DrawSpark(layers.letters, 512.0f, 452.5f, 14.0f, 1.4f);
    return true;
}

bool DrawPresents(Layers& layers) {
    FontFace light, italic;
    if (!Open(light, "Lato-Light.ttf", 96.0f) || !Open(italic, "Lato-LightItalic.ttf", 44.0f))
        return false;
    const float left = 136.0f, baseline = 238.0f;
    const float nameWidth = light.Measure("Zephal", 0.14f);
    light.Draw("Zephal", 0.14f, left, baseline, layers.letters);
    const float presentsWidth = italic.Measure("presents", 0.06f);
    italic.Draw("presents", 0.06f, left + nameWidth - presentsWidth, baseline + 60.0f, layers.letters);
    DrawHairline(layers.letters, left + 0.5f * (nameWidth - presentsWidth) - 14.0f, baseline + 44.5f,
                 0.5f * (nameWidth - presentsWidth) - 6.0f, 0.45f);
    return true;
}

bool DrawEvent(Layers& layers) {
    FontFace light, italic;
    if (!Open(light, "Lato-Light.ttf", 96.0f) || !Open(italic, "Lato-LightItalic.ttf", 44.0f))
        return false;
    const float right = 888.0f, baseline = 588.0f;
    const float festaWidth = light.Measure("Festa", 0.14f);
    const float festaLeft = right - festaWidth;
    light.Draw("Festa", 0.14f, festaLeft, baseline, layers.letters);
    const float atWidth = italic.Measure("at", 0.06f);
    italic.Draw("at", 0.06f, festaLeft - 22.0f - atWidth, baseline, layers.letters);
    DrawHairline(layers.letters, festaLeft + 0.5f * festaWidth, baseline + 26.5f, 0.5f * festaWidth + 30.0f, 0.4f);
    return true;
}

// Cool white letters in a halo that widens into a blue haze.
std::vector<uint8_t> Glowing(const Plane& letters) {
    const Plane halo = letters.Blurred(4.0f);
    const Plane glow = letters.Blurred(14.0f);
    const Plane haze = letters.Blurred(40.0f);
    const Colour core{0.94f, 0.98f, 1.0f}, haloTint{0.55f, 0.85f, 1.0f}, glowTint{0.30f, 0.62f, 1.0f},
        hazeTint{0.22f, 0.38f, 0.85f};
    std::vector<uint8_t> rgb(static_cast<size_t>(kCardSize) * kCardSize * 3);
    for (int y = 0; y < kCardSize; ++y)
        for (int x = 0; x < kCardSize; ++x) {
            const float c = std::min(1.0f, letters.At(x, y)), h = halo.At(x, y) * 0.9f, g = glow.At(x, y) * 1.6f,
                        z = haze.At(x, y) * 2.2f;
            const float channels[3] = {c * core.r + h * haloTint.r + g * glowTint.r + z * hazeTint.r,
                                       c * core.g + h * haloTint.g + g * glowTint.g + z * hazeTint.g,
                                       c * core.b + h * haloTint.b + g * glowTint.b + z * hazeTint.b};
            for (int i = 0; i < 3; ++i) {
                const float value = std::min(1.0f, channels[i]);
                rgb[(static_cast<size_t>(y) * kCardSize + x) * 3 + i] = static_cast<uint8_t>(value * 255.0f + 0.5f);
            }
        }
    return rgb;
}

struct Card {
    std::string path;
    bool (*draw)(Layers&);
};

const std::vector<Card>& Cards() {
    static const std::vector<Card> cards = {
        {"data/textures/lumenweaver.tga", DrawTitle},
        {"data/textures/zephalpresents.tga", DrawPresents},
        {"data/textures/festa.tga", DrawEvent},
    };
    return cards;
}

}

const std::vector<std::string>& TitleCardPaths() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> names;
        for (const Card& card : Cards())
            names.push_back(card.path);
        return names;
    }();
    return paths;
}

bool RenderTitleCard(const std::string& path, std::vector<uint8_t>& rgb) {
    for (const Card& card : Cards()) {
        if (card.path != path)
            continue;
        Layers layers;
        if (!card.draw(layers))
            return false;
        rgb = Glowing(layers.letters);
        return true;
    }
    return false;
}
