#include "tools/live/OverlayReloads.h"

#include "tools/live/OverlayStyle.h"
#include "tools/live/TextWrap.h"

#include <string>

namespace {

float TextWidth(const std::string& text) { return ImGui::CalcTextSize(text.c_str()).x; }

void WrappedLines(const std::string& text, float width, const ImVec4& colour) {
    for (const std::string& line : WrapText(text, width, TextWidth))
        ImGui::TextColored(colour, "%s", line.c_str());
}

// The path in the column where the cursor is, then its message below it.
void PathAndText(const OverlayReload& reload, float width, bool showText) {
    ImGui::BeginGroup();
    WrappedLines(reload.path, width - ImGui::GetCursorPosX(), kBright);
    if (showText)
        WrappedLines(reload.text, width - ImGui::GetCursorPosX(), reload.ok ? kDim : kBad);
    ImGui::EndGroup();
}

std::string Count(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}

void DrawBrokenFiles(const std::vector<OverlayReload>& broken, float width) {
    if (broken.empty())
        return;
    ImGui::Separator();
    ImGui::TextColored(kBad, "BROKEN NOW");
    ImGui::SameLine();
    ImGui::TextColored(kDim, "%s, until each loads again", Count(broken.size(), "file", "files").c_str());
    for (const OverlayReload& file : broken) {
        ImGui::TextColored(kBad, "  x");
        ImGui::SameLine();
        PathAndText(file, width, true);
    }
}

void DrawReloadHistory(const std::vector<OverlayReload>& reloads, float width) {
    if (reloads.empty())
        return;
    ImGui::Separator();
    ImGui::TextColored(kDim, "last reloads");
    for (const OverlayReload& reload : reloads) {
        ImGui::TextColored(kDim, "%s", reload.time.c_str());
        ImGui::SameLine();
        const bool plain = reload.tag == "ok";
        ImGui::TextColored(plain ? kGood : reload.ok ? kDim : kBad, "%4s", reload.tag.c_str());
        ImGui::SameLine();
        PathAndText(reload, width, !plain);
    }
}

void DrawBrokenBadge(const OverlayModel& model) {
    if (model.broken.empty())
        return;
    ImGui::SetNextWindowPos(ImVec2(kMargin, kMargin));
    ImGui::PushStyleColor(ImGuiCol_WindowBg, ImVec4(0.35f, 0.05f, 0.04f, 0.85f));
    ImGui::Begin("##zplive-badge", nullptr, kFixedWindow | ImGuiWindowFlags_NoInputs);
    ImGui::TextColored(kBright, "%s broken", Count(model.broken.size(), "file", "files").c_str());
    ImGui::SameLine();
    ImGui::TextColored(kDim, "(Tab shows them)");
    ImGui::End();
    ImGui::PopStyleColor();
}

void DrawShowNotice(const OverlayModel& model, float left, float screenWidth, float screenHeight) {
    if (model.show == OverlayShowState::Playing)
        return;
    ImGui::SetNextWindowPos(ImVec2((left + screenWidth) / 2, screenHeight / 2), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
    ImGui::Begin("##zplive-notice", nullptr, kFixedWindow | ImGuiWindowFlags_NoInputs);
    if (model.show == OverlayShowState::Building) {
        ImGui::TextColored(kAccent, model.heldFrame != 0 ? "REBUILDING THE SHOW" : "BUILDING THE SHOW");
    } else {
        ImGui::TextColored(kBad, "THE SHOW DOES NOT BUILD");
        ImGui::TextColored(kDim, "Save the broken files fixed, or press F5 to try again.");
    }
    ImGui::TextColored(kDim, "It starts at %s, %s.", model.clock.c_str(), model.paused ? "paused" : "playing");
    ImGui::End();
}
