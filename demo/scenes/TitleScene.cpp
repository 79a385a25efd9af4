#include "demo/scenes/TitleScene.h"

#include "demo/draw/TexturedQuad.h"
#include "demo/scenes/SceneServices.h"
#include "demo/show/Tempo.h"
#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/core/PrecalcProgress.h"
#include "engine/files/Image.h"
#include "engine/files/ImageLoader.h"
#include "engine/render/Display.h"
#include "engine/render/Texture.h"
#include "engine/render/TextureManager.h"

namespace {

struct CardLayout {
    const char* imagePath;
    float fadeFactor;
    // In patterns: the window, the end of the fade-in, the start of the fade-out.
    double start;
    double end;
    double fadeInEnd;
    double fadeOutStart;
};

// In the order title, presents, event.
constexpr CardLayout kCardLayouts[TitleScene::kCardCount] = {
    {"data/textures/lumenweaver.tga", 0.9f, 4.0, 7.9, 6.0, 6.9},
    {"data/textures/zephalpresents.tga", 0.6f, 1.0, 4.0, 3.0, 3.3},
    {"data/textures/festa.tga", 0.6f, 2.0, 5.0, 4.0, 4.3},
};

}

TitleScene::Card::Card() = default;

TitleScene::Card::~Card() = default;

TitleScene::TitleScene() = default;

TitleScene::~TitleScene() = default;

bool TitleScene::Init() {
    quad = std::make_unique<TexturedQuad>();
    if (!quad->Init("data/shaders/screentext.fs")) {
        quad.reset();
        return false;
    }
    PlaceCards();
    return true;
}

void TitleScene::PlaceCards() {
    const double p = SceneTempo().patternLength;
    for (int index = 0; index < kCardCount; ++index) {
        const CardLayout& layout = kCardLayouts[index];
        Card& card = cards[static_cast<size_t>(index)];
        card.imagePath = layout.imagePath;
        card.fadeFactor = layout.fadeFactor;
        card.start = layout.start * p;
        card.end = layout.end * p;
        card.envelope = std::make_unique<EnvelopeTrack>();
        card.envelope->Add(EnvelopeKind::FadeIn, card.start, layout.fadeInEnd * p);
        card.envelope->Add(EnvelopeKind::FadeOut, layout.fadeOutStart * p, card.end);
    }
}

bool TitleScene::Precalc(PrecalcProgress* progress) {
    progress->SetStatus("Loading textures...");
    for (int index = 0; index < kCardCount; ++index) {
        const char* path = kCardLayouts[index].imagePath;
        Card& card = cards[static_cast<size_t>(index)];
        card.image.reset(LoadImage(path));
        if (!card.image) {
            Message(LOG_ERROR, "Cannot load image from file '%s'.", path);
            return false;
        }
        progress->Step();
    }
    return true;
}

bool TitleScene::Upload() {
    Engine* engine = GetEngine();
    TextureManager* textures = engine ? engine->GetTextureManager() : nullptr;
    for (Card& card : cards) {
        bool made = textures && card.image && textures->Load(*card.image, card.texture);
        card.image.reset();
        if (!made)
            return false;
    }
    return true;
}

void TitleScene::Release() {
    quad.reset();
    for (Card& card : cards) {
        card.texture.Reset();
        card.image.reset();
        card.envelope.reset();
    }
}

void TitleScene::Update(const DemoTime* time) {
    const double t = time->time;
    for (Card& card : cards) {
        card.active = card.start <= t && t < card.end;
        card.fade = card.envelope ? static_cast<float>(card.envelope->Fade(t)) : 0.0f;
    }
}

float TitleScene::CardFade(int index) const {
    const Card& card = cards[static_cast<size_t>(index)];
    return card.fade * card.fadeFactor;
}

bool TitleScene::AnyCardShown() const {
    for (const Card& card : cards) {
        if (card.active && card.texture)
            return true;
    }
    return false;
}

void TitleScene::Render() {
    Display* display = SceneDisplay();
    // A card whose texture never uploaded is not drawn at all.
    if (!display || !quad || !AnyCardShown())
        return;
    display->SetDepthTest(false);
    display->SetCulling(false);
    display->SetBlending(true);
    display->SetBlendFunc(BLEND_SRC_ALPHA, BLEND_ONE);
    const float aspect = SceneDisplayAspect();
    for (int index = 0; index < kCardCount; ++index) {
        const Card& card = cards[static_cast<size_t>(index)];
        if (!card.active || !card.texture)
            continue;
        uniforms.SetFloat("uFade", CardFade(index));
        quad->Draw(card.texture.As<Texture>(), uniforms, 0.0f, 0.0f, 1.0f, aspect, 0.0f, 0.0f, 1.0f, 1.0f);
    }
    display->SetBlending(false);
}
