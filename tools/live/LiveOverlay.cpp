#include "tools/live/LiveOverlay.h"

#include "tools/live/OverlayPanel.h"
#include "tools/live/OverlayReloads.h"
#include "tools/live/OverlayStyle.h"
#include "tools/live/OverlayTracker.h"
#include "tools/live/ScrubBar.h"
#include "tools/live/Transport.h"

#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// The renderer is ImGui's own OpenGL 3 backend. It loads the GL entry points
// itself (opengl32.dll or libGL.so.1 and the context's GetProcAddress), not
// through the engine's `gl` table, so none of its calls shows in the GL call
// and draw counts of the frame. Around each draw it saves and puts back what
// it touches: program, texture and sampler of unit 0, active unit, array
// buffer, vertex array, blend, cull, depth, stencil and scissor tests, blend
// functions and equations, polygon mode, viewport and scissor box. The
// engine's state cache therefore still holds afterwards.

namespace {

const ImU32 kPlayHead = IM_COL32(255, 170, 40, 255);

constexpr float kScrubHeight = 58.0f;
constexpr float kLaneGutter = 22.0f;

int ButtonIndex(platform::MouseButton button) {
    switch (button) {
    case platform::MouseButton::Left: return 0;
    case platform::MouseButton::Right: return 1;
    case platform::MouseButton::Middle: return 2;
    default: return -1;
    }
}

void ApplyStyle() {
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 6.0f;
    style.WindowBorderSize = 1.0f;
    style.WindowPadding = ImVec2(10, 8);
    style.ItemSpacing = ImVec2(8, 3);
    style.CellPadding = ImVec2(6, 1);
    style.FrameRounding = 2.0f;
    style.FramePadding = ImVec2(4, 1);
    ImVec4* colours = style.Colors;
    colours[ImGuiCol_WindowBg] = ImVec4(0.05f, 0.06f, 0.08f, 0.80f);
    colours[ImGuiCol_Border] = ImVec4(1.0f, 1.0f, 1.0f, 0.10f);
    colours[ImGuiCol_Separator] = ImVec4(1.0f, 1.0f, 1.0f, 0.12f);
    colours[ImGuiCol_FrameBg] = ImVec4(1.0f, 1.0f, 1.0f, 0.08f);
    colours[ImGuiCol_Text] = kBright;
}

}  // namespace

LiveOverlay::LiveOverlay() = default;
LiveOverlay::~LiveOverlay() { Shutdown(); }

bool LiveOverlay::Init(int width, int height) {
    Shutdown();
    width_ = width;
    height_ = height;
    context_ = ImGui::CreateContext();
    ImGui::SetCurrentContext(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // no imgui.ini beside the show
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    io.BackendPlatformName = "zplive";
    io.Fonts->AddFontDefault();
    ImFontConfig large;
    large.SizePixels = 26.0f;
    clockFont_ = io.Fonts->AddFontDefault(&large);
    ApplyStyle();
    if (!tracker_)
        tracker_ = std::make_unique<OverlayTracker>();
    rendererReady_ = ImGui_ImplOpenGL3_Init(nullptr);
    if (!rendererReady_) {
        ImGui::DestroyContext(context_);
        context_ = nullptr;
        return false;
    }
    return true;
}

void LiveOverlay::Shutdown() {
    if (!context_)
        return;
    ImGui::SetCurrentContext(context_);
    if (rendererReady_)
        ImGui_ImplOpenGL3_Shutdown();
    rendererReady_ = false;
    ImGui::DestroyContext(context_);
    context_ = nullptr;
    clockFont_ = nullptr;
}

bool LiveOverlay::OverWindow(float x, float y) const {
    return panelRect_.Contains(x, y) || scrubRect_.Contains(x, y) || keysRect_.Contains(x, y) ||
           trackerRect_.Contains(x, y);
}

bool LiveOverlay::HandleEvent(const platform::WindowEvent& event) {
    using platform::WindowEventType;
    switch (event.type) {
    case WindowEventType::Resize:
        width_ = static_cast<int>(event.width);
        height_ = static_cast<int>(event.height);
        return false;
    case WindowEventType::MouseMove:
        mouseX_ = static_cast<float>(event.x);
        mouseY_ = static_cast<float>(event.y);
        mouseKnown_ = true;
        return dragging_;
    case WindowEventType::MouseDown: {
        mouseX_ = static_cast<float>(event.x);
        mouseY_ = static_cast<float>(event.y);
        mouseKnown_ = true;
        int index = ButtonIndex(event.button);
        bool taken = visible_ && context_ && OverWindow(mouseX_, mouseY_);
        if (index >= 0) {
            buttonDown_[index] = true;
            pressedSinceFrame_[index] = true;
            if (index == 0 && taken)
                dragging_ = true;
        }
        return taken;
    }
    case WindowEventType::MouseUp: {
        mouseX_ = static_cast<float>(event.x);
        mouseY_ = static_cast<float>(event.y);
        mouseKnown_ = true;
        int index = ButtonIndex(event.button);
        bool taken = dragging_;
        if (index >= 0)
            buttonDown_[index] = false;
        if (index == 0)
            dragging_ = false;
        return taken;
    }
    case WindowEventType::MouseWheel:
        if (visible_ && context_ && OverWindow(mouseX_, mouseY_)) {
            wheel_ += event.wheel;
            return true;
        }
        return false;
    default:
        // Keys stay with the tool: the overlay has no text to type into.
        return false;
    }
}

LiveOverlay::Rect LiveOverlay::ToRect(const ImVec4& corners) { return {corners.x, corners.y, corners.z, corners.w}; }

double LiveOverlay::Draw(const OverlayModel& model, double deltaSeconds) {
    if (!visible_) {
        lastSeekX_ = -1;
        panelRect_ = scrubRect_ = keysRect_ = trackerRect_ = Rect();
    }
    const bool showing = model.heldFrame != 0 || !model.broken.empty() || model.show != OverlayShowState::Playing ||
                         model.quitWarning;
    if (!context_ || (!visible_ && !showing))
        return -1.0;
    BeginFrame(deltaSeconds);
    DrawHeldFrame(model);
    double seek = -1.0;
    if (visible_) {
        const float room = static_cast<float>(height_) - kScrubHeight - 3 * kMargin;
        panelRect_ = ToRect(DrawOverlayPanel(model, clockFont_, room));
        trackerRect_ = model.tracker.open && tracker_ ? ToRect(tracker_->Draw(model, TrackerPlace(), trackerInput_)) : Rect();
        keysRect_ = keyTable_ ? ToRect(DrawKeyTable(model, static_cast<float>(width_))) : Rect();
        seek = DrawScrubBar(model);
    } else {
        DrawBrokenBadge(model);
    }
    DrawShowNotice(model, panelRect_.x1, static_cast<float>(width_), static_cast<float>(height_));
    DrawQuitWarning(model, static_cast<float>(width_));
    ImGui::Render();
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    return seek;
}

// Right of the panel, above the scrub bar.
ImVec4 LiveOverlay::TrackerPlace() const {
    const float x0 = 2 * kMargin + kPanelWidth;
    return ImVec4(x0, kMargin, std::max(static_cast<float>(width_) - kMargin, x0 + 100),
                  std::max(static_cast<float>(height_) - kScrubHeight - 2 * kMargin, kMargin + 100));
}

TrackerRoom LiveOverlay::TrackerRoomNow() const { return OverlayTracker::RoomIn(TrackerPlace()); }

TrackerInput LiveOverlay::TakeTrackerInput() {
    TrackerInput input = trackerInput_;
    trackerInput_ = TrackerInput();
    return input;
}

void LiveOverlay::BeginFrame(double deltaSeconds) {
    ImGui::SetCurrentContext(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(std::max(width_, 1)), static_cast<float>(std::max(height_, 1)));
    io.DisplayFramebufferScale = ImVec2(1, 1);
    io.DeltaTime = static_cast<float>(std::max(deltaSeconds, 1e-4));
    io.MousePos = mouseKnown_ ? ImVec2(mouseX_, mouseY_) : ImVec2(-FLT_MAX, -FLT_MAX);
    for (int i = 0; i < 3; ++i) {
        io.MouseDown[i] = buttonDown_[i] || pressedSinceFrame_[i];
        pressedSinceFrame_[i] = false;
    }
    io.MouseWheel = wheel_;
    wheel_ = 0;
    ImGui_ImplOpenGL3_NewFrame();
    ImGui::NewFrame();
}

// Behind every window: the frame the show left before it was taken down.
void LiveOverlay::DrawHeldFrame(const OverlayModel& model) const {
    if (model.heldFrame == 0)
        return;
    const ImTextureID texture = reinterpret_cast<ImTextureID>(static_cast<uintptr_t>(model.heldFrame));
    ImGui::GetBackgroundDrawList()->AddImage(texture, ImVec2(0, 0),
                                             ImVec2(static_cast<float>(width_), static_cast<float>(height_)));
}

double LiveOverlay::DrawScrubBar(const OverlayModel& model) {
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoSavedSettings |
                                   ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoNav |
                                   ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollWithMouse;
    float width = std::max(static_cast<float>(width_) - 2 * kMargin, 120.0f);
    ImGui::SetNextWindowPos(ImVec2(kMargin, static_cast<float>(height_) - kMargin - kScrubHeight));
    ImGui::SetNextWindowSize(ImVec2(width, kScrubHeight));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(6, 5));
    ImGui::Begin("##zplive-scrub", nullptr, flags);
    ImGui::PopStyleVar();

    ImDrawList* draw = ImGui::GetWindowDrawList();
    ImVec2 origin = ImGui::GetCursorScreenPos();
    ImVec2 avail = ImGui::GetContentRegionAvail();
    const float rulerHeight = 14.0f;
    const float laneHeight = std::max((avail.y - rulerHeight - 2) / 2, 8.0f);

    // Lane names in the gutter; the strip itself takes the rest.
    for (int lane = 0; lane < 2; ++lane) {
        char label[8];
        std::snprintf(label, sizeof label, "L%d", lane);
        float y = origin.y + rulerHeight + lane * (laneHeight + 2) + (laneHeight - ImGui::GetTextLineHeight()) / 2;
        draw->AddText(ImVec2(origin.x + 2, y), ImGui::GetColorU32(kDim), label);
    }
    ImGui::SetCursorScreenPos(ImVec2(origin.x + kLaneGutter, origin.y));
    ImGui::InvisibleButton("##scrub", ImVec2(std::max(avail.x - kLaneGutter, 1.0f), avail.y));
    ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();
    ScrubScale scale{min.x, max.x - min.x, model.showEnd};

    double seek = -1.0;
    ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsItemActive() && model.showEnd > 0) {
        if (ImGui::IsItemActivated() || io.MousePos.x != lastSeekX_) {
            seek = scale.TimeAt(io.MousePos.x);
            lastSeekX_ = io.MousePos.x;
        }
    } else {
        lastSeekX_ = -1;
    }

    draw->AddRectFilled(min, max, IM_COL32(12, 14, 18, 200), 3.0f);
    float lanesTop = min.y + rulerHeight;

    // Patterns: a tick each, a number where there is room.
    int stride = 1;
    std::vector<double> ticks = PatternTicks(scale, model.patternLength, 6.0f, &stride);
    float lastLabelRight = -FLT_MAX;
    for (double tick : ticks) {
        float x = std::floor(scale.XAt(tick)) + 0.5f;
        long long pattern = std::llround(tick / model.patternLength);
        bool major = pattern % (4LL * stride) == 0;
        draw->AddLine(ImVec2(x, min.y), ImVec2(x, min.y + (major ? 6.0f : 3.0f)), IM_COL32(200, 205, 215, major ? 160 : 90));
        draw->AddLine(ImVec2(x, lanesTop), ImVec2(x, max.y), IM_COL32(255, 255, 255, major ? 26 : 12));
        char label[24];
        std::snprintf(label, sizeof label, "%lld", pattern);
        float labelWidth = ImGui::CalcTextSize(label).x;
        if (major && x + 2 > lastLabelRight + 6 && x + 2 + labelWidth < max.x) {
            draw->AddText(ImVec2(x + 2, min.y), ImGui::GetColorU32(kDim), label);
            lastLabelRight = x + 2 + labelWidth;
        }
    }

    // The entries: a block per entry in its layer's lane, the name inside
    // where it fits.
    for (const OverlayEntry& entry : model.entries) {
        int lane = std::clamp(entry.layer, 0, 1);
        float y0 = lanesTop + lane * (laneHeight + 2);
        float x0 = scale.XAt(entry.start);
        float x1 = std::max(scale.XAt(entry.end), x0 + 2);
        ImVec2 a(x0, y0), b(x1 - 1, y0 + laneHeight);
        draw->AddRectFilled(a, b, SceneColour(entry.scene, entry.active ? 235 : 110), 2.0f);
        if (entry.active)
            draw->AddRect(a, b, IM_COL32(255, 255, 255, 220), 2.0f, 0, 1.5f);
        if (x1 - x0 > 14) {
            ImVec4 clip(x0 + 3, y0, x1 - 3, y0 + laneHeight);
            ImVec2 at(x0 + 4, y0 + (laneHeight - ImGui::GetTextLineHeight()) / 2);
            draw->AddText(ImGui::GetFont(), ImGui::GetFontSize(), at,
                          entry.active ? IM_COL32(10, 10, 12, 255) : IM_COL32(235, 235, 240, 220),
                          entry.scene.c_str(), nullptr, 0.0f, &clip);
        }
    }

    // Where the mouse would seek, then the play head over everything.
    if (ImGui::IsItemHovered() || ImGui::IsItemActive()) {
        float x = std::clamp(io.MousePos.x, min.x, max.x);
        draw->AddLine(ImVec2(x, min.y), ImVec2(x, max.y), IM_COL32(255, 255, 255, 110));
        ImGui::BeginTooltip();
        ImGui::TextUnformatted(FormatClockTime(scale.TimeAt(x)).c_str());
        ImGui::EndTooltip();
    }
    float head = std::floor(scale.XAt(model.time)) + 0.5f;
    draw->AddLine(ImVec2(head, min.y), ImVec2(head, max.y), kPlayHead, 2.0f);
    draw->AddTriangleFilled(ImVec2(head - 5, min.y), ImVec2(head + 5, min.y), ImVec2(head, min.y + 6), kPlayHead);

    ImVec2 pos = ImGui::GetWindowPos(), size = ImGui::GetWindowSize();
    scrubRect_ = {pos.x, pos.y, pos.x + size.x, pos.y + size.y};
    ImGui::End();
    return seek;
}
