#pragma once

#include "tools/live/LiveOverlay.h"

#include <imgui.h>

// The tracker panel, drawn with Dear ImGui at the given place: group and
// track headers with each track's value at the play head, the rows in view
// on the eight-a-beat grid with beat and pattern lines, the play head's row,
// the cursor, the selection and the keys, and below them the curve of the
// cursor's track. Mouse clicks and drags come back as a TrackerInput.
class OverlayTracker {
public:
    // The window's place: x0, y0, x1, y1.
    ImVec4 Draw(const OverlayModel& model, const ImVec4& place, TrackerInput& input);
    // The room for rows and columns in a window of that place.
    static TrackerRoom RoomIn(const ImVec4& place);

private:
    void DrawHeaders(const TrackerModel& model, ImVec2 origin, TrackerInput& input);
    void DrawRows(const TrackerModel& model, ImVec2 origin, float width, TrackerInput& input);
    void DrawCurve(const TrackerModel& model, ImVec2 origin, ImVec2 size, TrackerInput& input);

    // A key dragged in the curve, and the value range held while it is.
    bool dragging_ = false;
    int32_t dragRow_ = 0;
    float dragLow_ = 0, dragHigh_ = 1;
};

// With unsaved changes, the warning after a first Escape or close request.
void DrawQuitWarning(const OverlayModel& model, float screenWidth);
