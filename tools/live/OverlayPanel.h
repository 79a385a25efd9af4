#pragma once

#include "tools/live/LiveOverlay.h"

// The overlay's panel at the top left, drawn with Dear ImGui: the clock
// with the transport, the active entries, the show's uniforms, the frame's
// figures, the broken files and the last reloads. Returns where it was drawn
// (x0, y0, x1, y1). It is at most maxHeight high: what does not fit, the
// oldest reloads first, is cut off.
ImVec4 DrawOverlayPanel(const OverlayModel& model, ImFont* clockFont, float maxHeight);

// The key table in a window at the top right; returns where it was drawn.
ImVec4 DrawKeyTable(const OverlayModel& model, float screenWidth);
