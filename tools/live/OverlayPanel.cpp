#include "tools/live/OverlayPanel.h"

#include "tools/live/OverlayReloads.h"
#include "tools/live/OverlayStyle.h"
#include "tools/live/Transport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace {

// "m:ss.s", for the entries' spans.
std::string FormatShort(double seconds) {
    auto tenths = static_cast<long long>(std::llround(std::max(seconds, 0.0) * 10.0));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60, tenths % 10);
    return text;
}

std::string Fixed(double value, int decimals, const char* unit = "") {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f%s", decimals, value, unit);
    return text;
}

void Figure(const char* label, const std::string& value) {
    ImGui::TableNextColumn();
    ImGui::TextColored(kDim, "%s", label);
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(value.c_str());
}

// While the show does not play, why, and how it is to start.
void DrawState(const OverlayModel& model) {
    if (model.show != OverlayShowState::Playing) {
        if (model.show == OverlayShowState::Building)
            ImGui::TextColored(kAccent, model.heldFrame != 0 ? "REBUILDING" : "BUILDING");
        else
            ImGui::TextColored(kBad, "NOT BUILT");
        ImGui::SameLine();
        ImGui::TextColored(kDim, model.paused ? "starts paused" : "starts playing");
        return;
    }
    if (model.paused)
        ImGui::TextColored(kAccent, "PAUSED");
    else
        ImGui::TextColored(kGood, "PLAYING");
    if (model.looping) {
        ImGui::SameLine();
        ImGui::TextColored(kAccent, "LOOP");
    }
}

// The clock, large, with the transport and the musical position beside it.
void DrawClock(const OverlayModel& model, ImFont* clockFont) {
    ImGui::PushFont(clockFont);
    ImGui::TextUnformatted(model.clock.c_str());
    ImGui::PopFont();
    ImGui::SameLine(0, 14);
    ImGui::BeginGroup();
    DrawState(model);
    ImGui::TextColored(kDim, "pattern.beat");
    ImGui::SameLine();
    ImGui::TextColored(kBright, "%s", model.musical.c_str());
    ImGui::TextColored(kDim, "show length");
    ImGui::SameLine();
    ImGui::TextColored(kBright, "%s", FormatClockTime(model.showEnd).c_str());
    ImGui::EndGroup();
}

void DrawActiveEntries(const OverlayModel& model) {
    bool anyActive = false;
    if (ImGui::BeginTable("##active", 4, ImGuiTableFlags_SizingFixedFit)) {
        for (const OverlayEntry& entry : model.entries) {
            if (!entry.active)
                continue;
            anyActive = true;
            ImGui::TableNextColumn();
            ImGui::TextColored(kDim, "L%d", entry.layer);
            ImGui::TableNextColumn();
            ImVec2 at = ImGui::GetCursorScreenPos();
            float side = ImGui::GetTextLineHeight() - 4;
            ImGui::GetWindowDrawList()->AddRectFilled(ImVec2(at.x, at.y + 2), ImVec2(at.x + side, at.y + 2 + side),
                                                      SceneColour(entry.scene, 255), 2.0f);
            ImGui::Dummy(ImVec2(side, side));
            ImGui::SameLine(0, 6);
            ImGui::Text("%s", entry.scene.c_str());
            // The scene's variant: one scene class, set up differently per entry.
            ImGui::TableNextColumn();
            ImGui::TextColored(kAccent, "variant %d", entry.variant);
            ImGui::TableNextColumn();
            ImGui::TextColored(kDim, "%s - %s", FormatShort(entry.start).c_str(), FormatShort(entry.end).c_str());
        }
        ImGui::EndTable();
    }
    if (!anyActive)
        ImGui::TextColored(kDim, "no entry active");
}

// The show's two uniforms, each with a gauge of its 0..1 range.
void DrawUniforms(const OverlayModel& model) {
    if (!ImGui::BeginTable("##uniforms", 4, ImGuiTableFlags_SizingFixedFit))
        return;
    const std::pair<const char*, double> uniforms[] = {{"uFade", model.fade}, {"uFlash", model.flash}};
    for (const auto& [name, value] : uniforms) {
        ImGui::TableNextColumn();
        ImGui::TextColored(kDim, "%s", name);
        ImGui::TableNextColumn();
        ImGui::Text("%.3f", value);
        ImGui::SameLine(0, 6);
        ImVec2 at = ImGui::GetCursorScreenPos();
        const float gauge = 44.0f, y = at.y + ImGui::GetTextLineHeight() / 2 - 2;
        ImDrawList* draw = ImGui::GetWindowDrawList();
        draw->AddRectFilled(ImVec2(at.x, y), ImVec2(at.x + gauge, y + 4), IM_COL32(255, 255, 255, 40), 2.0f);
        float filled = gauge * static_cast<float>(std::clamp(value, 0.0, 1.0));
        draw->AddRectFilled(ImVec2(at.x, y), ImVec2(at.x + filled, y + 4), IM_COL32(140, 190, 255, 220), 2.0f);
        ImGui::Dummy(ImVec2(gauge, 1));
    }
    ImGui::EndTable();
}

void DrawFigures(const OverlayModel& model) {
    if (!ImGui::BeginTable("##figures", 4, ImGuiTableFlags_SizingFixedFit))
        return;
    Figure("FPS", Fixed(model.fps, 1));
    Figure("GL calls", std::to_string(model.glCalls));
    Figure("CPU", Fixed(model.cpuMs, 2, " ms"));
    Figure("draw calls", std::to_string(model.drawCalls));
    Figure("GPU", model.gpuTimer ? Fixed(model.gpuMs, 2, " ms") : std::string("no GPU timer"));
    ImGui::EndTable();
}

// The connection's last line: connected, or closed and why.
void DrawSyncEditor(const OverlayModel& model) {
    if (model.syncEditor.empty())
        return;
    ImGui::PushStyleColor(ImGuiCol_Text, model.syncEditorConnected ? kGood : kBad);
    ImGui::TextWrapped("%s", model.syncEditor.c_str());
    ImGui::PopStyleColor();
}

// Tracks not saved, and what the last save or typed value came to.
void DrawTrackerState(const OverlayModel& model) {
    if (model.unsavedTracks > 0)
        ImGui::TextColored(kAccent, "%zu sync track%s not saved (Ctrl+S)", model.unsavedTracks,
                           model.unsavedTracks == 1 ? "" : "s");
    if (model.trackerMessage.empty())
        return;
    ImGui::PushStyleColor(ImGuiCol_Text, model.trackerMessageBad ? kBad : kDim);
    ImGui::TextWrapped("%s", model.trackerMessage.c_str());
    ImGui::PopStyleColor();
}

ImVec4 WindowRect() {
    ImVec2 pos = ImGui::GetWindowPos(), size = ImGui::GetWindowSize();
    return ImVec4(pos.x, pos.y, pos.x + size.x, pos.y + size.y);
}

}

ImVec4 DrawOverlayPanel(const OverlayModel& model, ImFont* clockFont, float maxHeight) {
    ImGui::SetNextWindowPos(ImVec2(kMargin, kMargin));
    ImGui::SetNextWindowSizeConstraints(ImVec2(kPanelWidth, 0), ImVec2(kPanelWidth, std::max(maxHeight, 60.0f)));
    ImGui::Begin("##zplive-panel", nullptr, kFixedWindow);
    const float width = kPanelWidth - 2 * ImGui::GetStyle().WindowPadding.x;
    DrawClock(model, clockFont);
    ImGui::Separator();
    DrawActiveEntries(model);
    ImGui::Separator();
    DrawUniforms(model);
    DrawFigures(model);
    ImGui::TextColored(kDim, "F1 lists the keys, F2 the tracker, Tab hides all");
    DrawTrackerState(model);
    DrawSyncEditor(model);
    DrawBrokenFiles(model.broken, width);
    DrawReloadHistory(model.reloads, width);
    const ImVec4 rect = WindowRect();
    ImGui::End();
    return rect;
}

ImVec4 DrawKeyTable(const OverlayModel& model, float screenWidth) {
    ImGui::SetNextWindowPos(ImVec2(screenWidth - kMargin, kMargin), ImGuiCond_Always, ImVec2(1.0f, 0.0f));
    ImGui::Begin("##zplive-keys", nullptr, kFixedWindow);
    ImGui::TextColored(kDim, "keys");
    if (ImGui::BeginTable("##keys", 2, ImGuiTableFlags_SizingFixedFit)) {
        for (const OverlayKey& row : model.keys) {
            ImGui::TableNextColumn();
            ImGui::TextColored(kAccent, "%s", row.key.c_str());
            ImGui::TableNextColumn();
            ImGui::TextUnformatted(row.what.c_str());
        }
        ImGui::TableNextColumn();
        ImGui::TextColored(kAccent, "Escape");
        ImGui::TableNextColumn();
        ImGui::TextUnformatted("quit; with tracks not saved, twice within 2 s");
        ImGui::TableNextColumn();
        ImGui::TextColored(kAccent, "scrub bar");
        ImGui::TableNextColumn();
        ImGui::TextUnformatted("click or drag to seek");
        ImGui::EndTable();
    }
    const ImVec4 rect = WindowRect();
    ImGui::End();
    return rect;
}
