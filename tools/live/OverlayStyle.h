#pragma once

#include <imgui.h>

#include <cstdint>
#include <string>

// The overlay's colours and window flags, shared by its parts.
inline const ImVec4 kDim(0.68f, 0.72f, 0.78f, 1.0f);
inline const ImVec4 kBright(0.95f, 0.96f, 0.98f, 1.0f);
inline const ImVec4 kAccent(1.0f, 0.67f, 0.16f, 1.0f);
inline const ImVec4 kGood(0.45f, 0.86f, 0.48f, 1.0f);
inline const ImVec4 kBad(1.0f, 0.48f, 0.42f, 1.0f);

// A fixed window that sizes itself to what it holds and never takes focus.
constexpr ImGuiWindowFlags kFixedWindow = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_AlwaysAutoResize |
                                          ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing |
                                          ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoMove;

constexpr float kMargin = 10.0f;
// The panel at the top left.
constexpr float kPanelWidth = 360.0f;

// A steady colour per scene name, the same on every run and system.
inline ImU32 SceneColour(const std::string& scene, int alpha) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : scene)
        hash = (hash ^ c) * 16777619u;
    float r, g, b;
    ImGui::ColorConvertHSVtoRGB(static_cast<float>(hash % 360u) / 360.0f, 0.55f, 0.80f, r, g, b);
    return IM_COL32(static_cast<int>(r * 255), static_cast<int>(g * 255), static_cast<int>(b * 255), alpha);
}
