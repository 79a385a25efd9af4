#include "tools/live/OverlayTracker.h"

#include "engine/sync/SyncRows.h"
#include "tools/live/OverlayStyle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float kRowHeight = 14.0f;
constexpr float kHeaderRow = 16.0f;
constexpr float kCurveHeight = 84.0f;
constexpr float kRowNumberWidth = 44.0f;
constexpr float kColumnWidth = 86.0f;
constexpr float kPadding = 6.0f;
constexpr int32_t kRowsPerPattern = 8 * kSyncRowsPerBeat;

const ImU32 kPlayRow = IM_COL32(255, 170, 40, 70);
const ImU32 kCursor = IM_COL32(255, 170, 40, 255);
const ImU32 kSelection = IM_COL32(110, 160, 255, 70);

const char* InterpolationTag(SyncInterpolation interpolation) {
    switch (interpolation) {
    case SyncInterpolation::Linear: return "lin";
    case SyncInterpolation::Smooth: return "smo";
    case SyncInterpolation::Ramp: return "ramp";
    default: return "step";
    }
}

float ColumnX(ImVec2 origin, size_t slot) { return origin.x + kRowNumberWidth + kColumnWidth * static_cast<float>(slot); }

void Text(ImDrawList* draw, ImVec2 at, ImU32 colour, const char* text, float width) {
    const ImVec4 clip(at.x, at.y, at.x + width - 4, at.y + 40);
    draw->AddText(ImGui::GetFont(), ImGui::GetFontSize(), at, colour, text, nullptr, 0.0f, &clip);
}

}

TrackerRoom OverlayTracker::RoomIn(const ImVec4& place) {
    return TrackerRoomFor(place.z - place.x - 2 * kPadding, place.w - place.y - 2 * kPadding);
}

ImVec4 OverlayTracker::Draw(const OverlayModel& overlay, const ImVec4& place, TrackerInput& input) {
    const TrackerModel& model = overlay.tracker;
    ImGui::SetNextWindowPos(ImVec2(place.x, place.y));
    ImGui::SetNextWindowSize(ImVec2(place.z - place.x, place.w - place.y));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(kPadding, kPadding));
    ImGui::Begin("##zplive-tracker", nullptr, kFixedWindow & ~ImGuiWindowFlags_AlwaysAutoResize);
    ImGui::PopStyleVar();
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    const float width = place.z - place.x - 2 * kPadding;
    DrawHeaders(model, origin, input);
    const ImVec2 rows(origin.x, origin.y + 3 * kHeaderRow);
    DrawRows(model, rows, width, input);
    const float curveTop = rows.y + kRowHeight * static_cast<float>(model.rowCount) + 4;
    DrawCurve(model, ImVec2(origin.x + kRowNumberWidth, curveTop),
              ImVec2(width - kRowNumberWidth, std::min(kCurveHeight, place.w - kPadding - curveTop)), input);
    ImGui::End();
    return place;
}

// Group, track and the value at the play head; a click on a group folds or
// unfolds it.
void OverlayTracker::DrawHeaders(const TrackerModel& model, ImVec2 origin, TrackerInput& input) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImGuiIO& io = ImGui::GetIO();
    for (size_t i = 0; i < model.slots.size(); ++i) {
        const TrackerSlot& slot = model.slots[i];
        const float x = ColumnX(origin, i);
        const ImVec2 groupMin(x, origin.y), groupMax(x + kColumnWidth, origin.y + kHeaderRow);
        if (ImGui::IsMouseClicked(0) && ImGui::IsMouseHoveringRect(groupMin, groupMax) && io.MousePos.x >= x)
            input.toggleGroup = slot.group;
        char text[96];
        if (slot.folded) {
            std::snprintf(text, sizeof text, "+ %s", slot.group.c_str());
            Text(draw, ImVec2(x + 2, origin.y), ImGui::GetColorU32(kAccent), text, kColumnWidth);
            std::snprintf(text, sizeof text, "%zu tracks", slot.groupTracks);
            Text(draw, ImVec2(x + 2, origin.y + kHeaderRow), ImGui::GetColorU32(kDim), text, kColumnWidth);
            continue;
        }
        if (slot.groupStart) {
            std::snprintf(text, sizeof text, "- %s", slot.group.c_str());
            Text(draw, ImVec2(x + 2, origin.y), ImGui::GetColorU32(kAccent), text, kColumnWidth * 4);
            draw->AddLine(ImVec2(x, origin.y), ImVec2(x, origin.y + 3 * kHeaderRow), IM_COL32(255, 255, 255, 60));
        }
        std::snprintf(text, sizeof text, "%s%s", slot.changed ? "*" : "", slot.name.c_str());
        Text(draw, ImVec2(x + 2, origin.y + kHeaderRow), ImGui::GetColorU32(slot.changed ? kAccent : kBright), text,
             kColumnWidth);
        if (slot.hasValue)
            std::snprintf(text, sizeof text, "%.3f", slot.value);
        else
            std::snprintf(text, sizeof text, "(%s)", slot.defaultText.empty() ? "code" : slot.defaultText.c_str());
        Text(draw, ImVec2(x + 2, origin.y + 2 * kHeaderRow), ImGui::GetColorU32(slot.hasValue ? kGood : kDim), text,
             kColumnWidth);
    }
}

void OverlayTracker::DrawRows(const TrackerModel& model, ImVec2 origin, float width, TrackerInput& input) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const float height = kRowHeight * static_cast<float>(model.rowCount);
    const float right = std::min(origin.x + width, ColumnX(origin, model.slots.size()));
    ImGui::SetCursorScreenPos(origin);
    ImGui::InvisibleButton("##tracker-rows", ImVec2(std::max(width, 1.0f), std::max(height, 1.0f)));
    if (ImGui::IsItemClicked(0)) {
        const ImVec2 mouse = ImGui::GetIO().MousePos;
        const int slot = static_cast<int>(std::floor((mouse.x - origin.x - kRowNumberWidth) / kColumnWidth));
        if (slot >= 0 && static_cast<size_t>(slot) < model.slots.size() && !model.slots[slot].folded) {
            input.clicked = true;
            input.column = model.slots[slot].column;
            input.row = model.firstRow + static_cast<int32_t>((mouse.y - origin.y) / kRowHeight);
        }
    }
    for (int i = 0; i < model.rowCount; ++i) {
        const int32_t row = model.firstRow + i;
        const float y = origin.y + kRowHeight * static_cast<float>(i);
        if (row == SyncRowIndex(model.playRow))
            draw->AddRectFilled(ImVec2(origin.x, y), ImVec2(right, y + kRowHeight), kPlayRow);
        if (row % kSyncRowsPerBeat == 0)
            draw->AddLine(ImVec2(origin.x, y), ImVec2(right, y),
                          row % kRowsPerPattern == 0 ? IM_COL32(255, 170, 40, 150) : IM_COL32(255, 255, 255, 45));
        char number[16];
        std::snprintf(number, sizeof number, "%5d", row);
        draw->AddText(ImVec2(origin.x, y), ImGui::GetColorU32(row % kSyncRowsPerBeat == 0 ? kBright : kDim), number);
    }
    for (size_t i = 0; i < model.slots.size(); ++i) {
        const TrackerSlot& slot = model.slots[i];
        const float x = ColumnX(origin, i);
        draw->AddLine(ImVec2(x, origin.y), ImVec2(x, origin.y + height), IM_COL32(255, 255, 255, slot.groupStart ? 60 : 20));
        if (slot.folded)
            continue;
        if (model.selecting && slot.column >= model.selectionFirstColumn && slot.column <= model.selectionLastColumn) {
            const float y0 = origin.y + kRowHeight * static_cast<float>(model.selectionFirstRow - model.firstRow);
            const float y1 = origin.y + kRowHeight * static_cast<float>(model.selectionLastRow - model.firstRow + 1);
            draw->AddRectFilled(ImVec2(x + 1, std::max(y0, origin.y)), ImVec2(x + kColumnWidth, std::min(y1, origin.y + height)),
                                kSelection);
        }
        for (const SyncKey& key : slot.keys) {
            const float y = origin.y + kRowHeight * static_cast<float>(key.row - model.firstRow);
            char text[48];
            std::snprintf(text, sizeof text, "%.3f", key.value);
            Text(draw, ImVec2(x + 3, y), ImGui::GetColorU32(kBright), text, kColumnWidth - 26);
            Text(draw, ImVec2(x + kColumnWidth - 28, y), ImGui::GetColorU32(kAccent), InterpolationTag(key.interpolation), 30);
        }
        if (slot.column == model.cursorColumn) {
            const float y = origin.y + kRowHeight * static_cast<float>(model.cursorRow - model.firstRow);
            if (model.typing) {
                draw->AddRectFilled(ImVec2(x + 1, y), ImVec2(x + kColumnWidth, y + kRowHeight), IM_COL32(20, 20, 24, 255));
                const std::string typed = model.typed + "_";
                Text(draw, ImVec2(x + 3, y), ImGui::GetColorU32(kAccent), typed.c_str(), kColumnWidth);
            }
            draw->AddRect(ImVec2(x + 1, y), ImVec2(x + kColumnWidth, y + kRowHeight), kCursor);
        }
    }
}

// The cursor's track over the rows in view; a key pressed in it and dragged
// up or down changes its value.
void OverlayTracker::DrawCurve(const TrackerModel& model, ImVec2 origin, ImVec2 size, TrackerInput& input) {
    if (!model.hasCurve || size.y < 20 || size.x < 20)
        return;
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImVec2 end(origin.x + size.x, origin.y + size.y);
    draw->AddRectFilled(origin, end, IM_COL32(12, 14, 18, 200), 3.0f);
    draw->AddText(ImVec2(origin.x + 4, origin.y + 2), ImGui::GetColorU32(kDim), model.curveName.c_str());
    float low = 0, high = 1;
    if (!model.curve.empty()) {
        const auto [min, max] = std::minmax_element(model.curve.begin(), model.curve.end());
        low = *min;
        high = *max;
    }
    if (dragging_) {
        low = dragLow_;
        high = dragHigh_;
    } else if (high - low < 1e-6f) {
        low -= 1;
        high += 1;
    }
    const float top = origin.y + 16, bottom = end.y - 6;
    const auto yOf = [&](float v) { return bottom - (v - low) / (high - low) * (bottom - top); };
    const float rowWidth = size.x / static_cast<float>(std::max(model.rowCount, 1));
    const auto xOf = [&](double row) { return origin.x + static_cast<float>(row - model.firstRow) * rowWidth; };
    for (size_t i = 1; i < model.curve.size(); ++i) {
        const double r0 = model.firstRow + static_cast<double>(i - 1) / TrackerModel::kCurveSamples;
        const double r1 = model.firstRow + static_cast<double>(i) / TrackerModel::kCurveSamples;
        draw->AddLine(ImVec2(xOf(r0), yOf(model.curve[i - 1])), ImVec2(xOf(r1), yOf(model.curve[i])),
                      IM_COL32(140, 190, 255, 230), 1.5f);
    }
    for (const SyncKey& key : model.curveKeys)
        draw->AddCircleFilled(ImVec2(xOf(key.row), yOf(key.value)), 3.5f, kCursor);
    const float cursorX = xOf(model.cursorRow);
    draw->AddLine(ImVec2(cursorX, top), ImVec2(cursorX, bottom), IM_COL32(255, 255, 255, 60));

    ImGui::SetCursorScreenPos(origin);
    ImGui::InvisibleButton("##tracker-curve", size);
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    if (ImGui::IsItemActivated()) {
        for (const SyncKey& key : model.curveKeys)
            if (std::fabs(xOf(key.row) - mouse.x) < 6 && std::fabs(yOf(key.value) - mouse.y) < 6) {
                dragging_ = true;
                dragRow_ = key.row;
                dragLow_ = low;
                dragHigh_ = high;
                input.dragStarted = true;
            }
    }
    if (!ImGui::IsItemActive())
        dragging_ = false;
    if (dragging_ && (input.dragStarted || ImGui::GetIO().MouseDelta.y != 0)) {
        input.dragging = true;
        input.track = model.curveTrack;
        input.dragRow = dragRow_;
        input.dragValue = low + (bottom - std::clamp(mouse.y, top, bottom)) / (bottom - top) * (high - low);
    }
}

void DrawQuitWarning(const OverlayModel& model, float screenWidth) {
    if (!model.quitWarning)
        return;
    ImGui::SetNextWindowPos(ImVec2(screenWidth / 2, 60), ImGuiCond_Always, ImVec2(0.5f, 0.0f));
    ImGui::Begin("##zplive-quit", nullptr, kFixedWindow);
    ImGui::TextColored(kBad, "%zu track%s not saved", model.unsavedTracks, model.unsavedTracks == 1 ? "" : "s");
    ImGui::TextUnformatted("Escape or close again within 2 s quits without saving; Ctrl+S saves");
    ImGui::End();
}
