#pragma once

#include "demo/show/EnvelopeTrack.h"
#include "demo/show/Scene.h"
#include "engine/render/ResourceHandle.h"
#include "engine/render/UniformSet.h"

#include <array>
#include <memory>
#include <string>

class TexturedQuad;
struct Image;

// The overlay of the opening: three text cards that fade in and out over the
// first scenes, added on top of whatever is below them.
class TitleScene : public Scene {
public:
    struct Card {
        Card();
        ~Card();
        std::string imagePath;
        float fadeFactor = 1.0f;
        ResourceReference texture;
        std::unique_ptr<Image> image;  // from Precalc until Upload
        double start = 0.0;
        double end = 0.0;
        bool active = false;
        std::unique_ptr<EnvelopeTrack> envelope;
        float fade = 0.0f;
    };
    enum CardIndex { kTitleCard, kPresentsCard, kEventCard, kCardCount };

    TitleScene();
    ~TitleScene() override;

    bool Init() override;
    int32_t PrecalcWorkUnits() override { return 3; }
    bool Precalc(PrecalcProgress* progress) override;
    bool Upload() override;
    void Release() override;
    void Update(const DemoTime* time) override;
    void Render() override;

    const Card& GetCard(int index) const { return cards[static_cast<size_t>(index)]; }
    // The "uFade" a card is drawn with: its envelope times its factor.
    float CardFade(int index) const;

private:
    void PlaceCards();
    bool AnyCardShown() const;

    std::array<Card, kCardCount> cards;
    std::unique_ptr<TexturedQuad> quad;
    UniformSet uniforms;
};
