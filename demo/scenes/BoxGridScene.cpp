#include "demo/scenes/BoxGridScene.h"

#include "demo/scenes/BoxArray.h"
#include "demo/scenes/Camera.h"
#include "demo/scenes/GlowPass.h"
#include "demo/scenes/SceneServices.h"
#include "demo/show/Tempo.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/PrecalcProgress.h"
#include "engine/render/Display.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kRestingGrey = 0.5f;

bool IsColumns(int32_t variant) { return variant == 0 || variant == 3; }
bool IsFloor(int32_t variant) { return variant == 1 || variant == 2; }

float RandomSigned() { return static_cast<float>(Rand()) / 32767.0f * 2.0f - 1.0f; }

}

BoxGridScene::BoxGridScene() = default;

BoxGridScene::~BoxGridScene() = default;

bool BoxGridScene::Init() {
    camera = std::make_unique<Camera>();
    camera->SetPerspective(45.0f, SceneDisplayAspect(), 0.1f, 1000.0f);
    boxArray = std::make_unique<BoxArray>();
    if (!boxArray->Create(gridSize * gridSize))
        return false;
    intensities.assign(gridSize * gridSize, 0.0f);
    boxSize = {1.0f, 1.0f, 1.0f};
    spacing = {1.0f, 1.0f, 1.0f};
    offset = {0.5f, 0.5f, 0.5f};
    BindTracks();
    return true;
}

void BoxGridScene::BindTracks() {
    const SceneTracks tracks("boxgrid");
    static const float kNoDisplacement[2] = {0.0f, 0.0f};
    shaderInputs = SyncedUniforms();
    timeSlot = shaderInputs.Add("uTime", 0.0f, "the scene's time");
    const char* const names[3] = {"uDisplacementR", "uDisplacementG", "uDisplacementB"};
    for (int i = 0; i < 3; ++i)
        displacementSlots[i] = shaderInputs.Add(names[i], 2, kNoDisplacement, "random, growing after 95 s");
    shaderInputs.Bind(tracks);
    boxArray->Lighting().Bind(tracks);
    // One statement each: the list of tracks keeps this order.
    const SyncVector<3> eye = tracks.Vector<3>("camera.eye", "circling the field");
    const SyncVector<3> target = tracks.Vector<3>("camera.target", "0 (columns), 0 -6 0 (floor)");
    cameraTracks = CameraTracks(tracks, eye, target, 45.0f);
    blurSize = tracks.Value("uBlurSize", GlowPass::kBlurSize);
}

bool BoxGridScene::Precalc(PrecalcProgress* progress) {
    if (!boxArray)
        return false;
    progress->SetStatus("Initializing box grid...");
    LayOutBoxes();
    progress->Step();
    return true;
}

// Every box grey and at rest on its square, no pulse under way.
void BoxGridScene::LayOutBoxes() {
    std::vector<Box>& boxes = boxArray->GetBoxes();
    float halfX = spacing.x * static_cast<float>(gridSize) * 0.5f;
    float halfZ = static_cast<float>(gridSize) * spacing.z * 0.5f;
    for (uint32_t row = 0; row < gridSize; ++row) {
        for (uint32_t column = 0; column < gridSize; ++column) {
            Box& box = boxes[gridSize * row + column];
            box.active = 1;
            box.position = {offset.x + spacing.x * static_cast<float>(column) - halfX, 0.0f,
                            spacing.z * static_cast<float>(row) - halfZ + offset.z};
            box.orientation = kIdentityQuaternion;
            box.size = boxSize;
            std::fill(box.color, box.color + 3, kRestingGrey);
            box.color[3] = 1.0f;
            intensities[gridSize * row + column] = 0.0f;
        }
    }
}

void BoxGridScene::Rewind() {
    if (boxArray && boxArray->GetBoxes().size() == intensities.size())
        LayOutBoxes();
    firstBegin = true;
    lastPulseTime = 0.0;
}

void BoxGridScene::Release() {
    boxArray.reset();
    intensities.clear();
    Display* display = SceneDisplay();
    if (display && display->GetCamera() == camera.get())
        display->SetCamera(nullptr);
    camera.reset();
}

void BoxGridScene::Begin(int32_t, const DemoTime* time) {
    // The first entry starts with a second's worth of pulses due at once.
    lastPulseTime = firstBegin ? time->time - 1.0 : time->time;
    firstBegin = false;
}

int32_t BoxGridScene::PulseRate(int32_t variant, double time, double patternLength) {
    if (variant != 2)
        return kPulseRate;
    double start = 52.0 * patternLength;
    double stop = 54.0 * patternLength - 0.75;
    double remaining = std::min(1.0, std::max(0.0, 1.0 - (time - start) / (stop - start)));
    return static_cast<int32_t>(kPulseRate * remaining);
}

void BoxGridScene::Update(const DemoTime* time) {
    if (!boxArray || boxArray->GetBoxes().size() != intensities.size() || intensities.empty())
        return;
    float t = static_cast<float>(time->time);
    if (variant == 0)
        t += 10.0f;
    EmitPulses(time->time);
    AnimateBoxes(t, static_cast<float>(time->delta));
    SteerCamera(t);
    StoreShaderInputs(t);
}

void BoxGridScene::EmitPulses(double time) {
    int32_t rate = PulseRate(variant, time, SceneTempo().patternLength);
    if (rate <= 0)
        return;
    double elapsed = time - lastPulseTime;
    int64_t due = static_cast<int64_t>(elapsed / (1.0 / rate));
    if (due <= 0)
        return;
    lastPulseTime += static_cast<double>(due) / rate;
    std::vector<Box>& boxes = boxArray->GetBoxes();
    for (int64_t pulse = 0; pulse < due; ++pulse) {
        size_t index = static_cast<size_t>(Rand()) % boxes.size();
        intensities[index] = 1.0f;
        boxes[index].active = 1;
    }
}

void BoxGridScene::AnimateBoxes(float t, float delta) {
    std::vector<Box>& boxes = boxArray->GetBoxes();
    for (uint32_t row = 0; row < gridSize; ++row) {
        for (uint32_t column = 0; column < gridSize; ++column) {
            uint32_t index = gridSize * row + column;
            PlaceBox(row, column, t, boxes[index]);
            FadePulse(index, delta, boxes[index]);
        }
    }
}

void BoxGridScene::PlaceBox(uint32_t row, uint32_t column, float t, Box& box) const {
    float i = static_cast<float>(row);
    float j = static_cast<float>(column);
    if (IsColumns(variant)) {
        float height = 4.0f + 3.9f * std::sin(2.0f * t + 0.3f * j / kPi) * std::cos(i / kPi + 0.3f * t);
        box.size = {1.0f, height, 1.0f};
        box.position.y = height / 2.0f;
    } else if (IsFloor(variant)) {
        float a = 2.0f * t + 0.6f * j / kPi;
        float b = t + 0.6f * i / kPi;
        float side = 0.8f + 0.2f * std::sin(a);
        box.size = {side, 0.1f, side};
        box.position.y = 2.0f * std::sin(a) * std::cos(b);
    }
}

void BoxGridScene::FadePulse(uint32_t index, float delta, Box& box) {
    float& intensity = intensities[index];
    if (intensity <= 0.0f)
        return;
    intensity = std::max(kRestingGrey, intensity - delta);
    std::fill(box.color, box.color + 3, intensity);
    box.color[3] = 1.0f;
}

void BoxGridScene::SteerCamera(float t) {
    float u = 0.25f * t;
    const Vector3 up = {0.0f, 1.0f, 0.0f};
    if (IsColumns(variant))
        cameraTracks.LookAt(*camera, {25.0f * std::sin(u), 8.5f, 25.0f * std::cos(u)}, {0.0f, 0.0f, 0.0f}, up, 45.0f);
    else if (IsFloor(variant))
        cameraTracks.LookAt(*camera, {30.0f * std::sin(u), 10.0f, 30.0f * std::cos(u)}, {0.0f, -6.0f, 0.0f}, up,
                            45.0f);
}

void BoxGridScene::StoreShaderInputs(float t) {
    shaderInputs.SetCode(timeSlot, t);
    float amount = std::max(0.0f, (t - 95.0f) * 0.01f / 5.0f);
    for (int slot : displacementSlots) {
        float second = RandomSigned();
        float first = RandomSigned();
        float displacement[2] = {amount * first, amount * second};
        shaderInputs.SetCode(slot, displacement);
    }
    shaderInputs.ApplyTo(uniforms);
}

void BoxGridScene::Render() {
    Display* display = SceneDisplay();
    if (!display || !boxArray)
        return;
    static const float kColumnsSky[4] = {0.4f, 0.4f, 0.6f, 1.0f};
    static const float kFloorSky[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    if (IsColumns(variant))
        display->SetClearColor(kColumnsSky);
    else if (IsFloor(variant))
        display->SetClearColor(kFloorSky);
    GlowPass glow;
    glow.Begin();
    display->Clear(CLEAR_COLOR | CLEAR_DEPTH);
    DrawBoxes();
    glow.End(blurSize.Or(GlowPass::kBlurSize));
}

void BoxGridScene::DrawBoxes() {
    SceneDisplay()->SetCamera(camera.get());
    boxArray->Draw();
}
