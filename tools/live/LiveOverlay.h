#pragma once

#include "engine/platform/WindowEvents.h"
#include "tools/live/TrackerModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ImFont;
struct ImGuiContext;
struct ImVec4;
class OverlayTracker;

// One entry of the time line as the overlay shows it.
struct OverlayEntry {
    std::string scene;
    int variant = 0;
    int layer = 0;  // 0 or 1: the scrub bar's two lanes
    double start = 0, end = 0;
    bool active = false;
};

// One reload of a watched file; text is "ok" or the error, e.g. "41: error ...".
struct OverlayReload {
    std::string path;
    bool ok = false;
    std::string text;
    std::string time;  // of day, "hh:mm:ss"; empty in the list of broken files
    std::string tag;   // "ok", "fail", "gone", "--" (not used by the show)
};

// One row of the key table.
struct OverlayKey {
    std::string key;
    std::string what;
};

enum class OverlayShowState {
    Playing,
    Building,  // set up, its precalculation running
    Broken,    // a file kept it from being set up; it waits for a fix or F5
};

// Everything the overlay draws, filled by the tool each frame.
struct OverlayModel {
    double time = 0, showEnd = 0, patternLength = 0, beatLength = 0;
    std::string clock;    // "mm:ss.mmm"
    std::string musical;  // "pattern.beat"
    bool paused = false, looping = false;
    std::vector<OverlayEntry> entries;  // the whole time line (layer 0 and 1), active ones flagged
    double fade = 1, flash = 0;         // "uFade", "uFlash"
    double fps = 0, cpuMs = 0, gpuMs = 0;
    bool gpuTimer = false;  // "no GPU timer" when false
    uint64_t glCalls = 0, drawCalls = 0;
    OverlayShowState show = OverlayShowState::Playing;
    // While the show does not play, time and paused are where and how it
    // is to start.
    std::vector<OverlayReload> broken;   // every file broken now, by path
    std::vector<OverlayReload> reloads;  // the last few, newest first
    uint32_t heldFrame = 0;              // a GL texture shown instead of the frame, 0 for none
    std::vector<OverlayKey> keys;        // the key table, shown with F1
    std::string syncEditor;              // the sync editor connection's last line, empty without one
    bool syncEditorConnected = false;
    TrackerModel tracker;                // the tracker panel, F2
    size_t unsavedTracks = 0;
    bool quitWarning = false;            // a first Escape or close with tracks not saved
    std::string trackerMessage;          // the last save, or a value that was not a number
    bool trackerMessageBad = false;
};

// The live tool's overlay: a panel with the clock, the active entries, the
// show's uniforms, the frame's figures, the broken files and the last
// reloads, and a scrub bar over the whole time line that seeks on a click or
// a drag; with F2 the tracker panel beside the panel. Hidden, it still shows a badge while files are broken, and the
// held frame and a notice while the show is built anew.
//
// It draws through its own GL renderer, which fetches its entry points
// itself, outside the engine's `gl` table: its calls are not counted in the
// figures it shows, and it puts back every piece of GL state it changes, so
// the engine's state cache stays true.
class LiveOverlay {
public:
    LiveOverlay();
    LiveOverlay(const LiveOverlay&) = delete;
    LiveOverlay& operator=(const LiveOverlay&) = delete;
    ~LiveOverlay();

    // Needs the GL context current; false when the renderer cannot start.
    bool Init(int width, int height);
    // Also needs the context; harmless without a successful Init.
    void Shutdown();

    void SetVisible(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }
    void SetKeyTableVisible(bool visible) { keyTable_ = visible; }
    bool IsKeyTableVisible() const { return keyTable_; }

    // Feeds a window event; true when the overlay took it: a press on one of
    // its windows, and the moves and release of a drag that began there.
    // A resize is noted and never taken.
    bool HandleEvent(const platform::WindowEvent& event);

    // Draws over the back buffer, after the show's final pass. Returns the
    // time the user asked to seek to on the scrub bar this frame (a click or
    // a drag), or a negative value for none. Hidden, it draws nothing and
    // returns -1.
    double Draw(const OverlayModel& model, double deltaSeconds);
    // What the mouse asked of the tracker panel in the last Draw.
    TrackerInput TakeTrackerInput();
    // The rows and columns the tracker panel has room for.
    TrackerRoom TrackerRoomNow() const;

private:
    struct Rect {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        bool Contains(float x, float y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    };

    static Rect ToRect(const ImVec4& corners);
    bool OverWindow(float x, float y) const;
    void BeginFrame(double deltaSeconds);
    void DrawHeldFrame(const OverlayModel& model) const;
    double DrawScrubBar(const OverlayModel& model);

    ImGuiContext* context_ = nullptr;
    ImFont* clockFont_ = nullptr;
    bool rendererReady_ = false;
    bool visible_ = true;
    bool keyTable_ = false;
    int width_ = 0, height_ = 0;

    // Mouse state between frames: a press and release that both come before
    // the next frame still show as a press for one frame.
    float mouseX_ = 0, mouseY_ = 0;
    bool mouseKnown_ = false;
    bool buttonDown_[3] = {};
    bool pressedSinceFrame_[3] = {};
    float wheel_ = 0;
    bool dragging_ = false;  // a press on the overlay, until its release

    ImVec4 TrackerPlace() const;

    std::unique_ptr<OverlayTracker> tracker_;
    TrackerInput trackerInput_;
    Rect panelRect_, scrubRect_, keysRect_, trackerRect_;  // where the windows were last drawn
    float lastSeekX_ = -1;
};
