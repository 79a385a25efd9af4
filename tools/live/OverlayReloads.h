#pragma once

#include "tools/live/LiveOverlay.h"

// The parts of the overlay about files, drawn with Dear ImGui inside the
// current window: the files broken now, then the last reloads with their
// time of day. Paths and messages wrap at spaces and after the '/' of a
// path, never inside a name, to lines of at most width pixels.
void DrawBrokenFiles(const std::vector<OverlayReload>& broken, float width);
void DrawReloadHistory(const std::vector<OverlayReload>& reloads, float width);

// A small window of its own at the top left, for when the overlay is
// hidden: how many files are broken. Draws nothing when none is.
void DrawBrokenBadge(const OverlayModel& model);

// A window in the middle of the screen right of left while the show does
// not play: that it is being built anew, or that a broken file keeps it from
// building, and where it is to start. Draws nothing while the show plays.
void DrawShowNotice(const OverlayModel& model, float left, float screenWidth, float screenHeight);
