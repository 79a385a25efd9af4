#pragma once

#include "engine/render/GLFunctions.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The GPU's time between marked points of a frame: a time stamp is queried
// at each mark and read back frames later, so the CPU never waits on the
// GPU. Does nothing, silently, where the driver has no timer queries.
class GpuFrameTimer {
public:
    // A frame's stamps are read when the frame this many later begins.
    static constexpr int kFramesLate = 2;
    static constexpr int kMaxMarks = 16;

    struct Span {
        std::string label;  // the mark it starts at
        double milliseconds = 0.0;
    };

    GpuFrameTimer() = default;
    ~GpuFrameTimer();
    GpuFrameTimer(const GpuFrameTimer&) = delete;
    GpuFrameTimer& operator=(const GpuFrameTimer&) = delete;

    // With a current context; false when the driver has no timer queries.
    bool Init();
    bool Init(GLProcLoader loader);
    bool IsAvailable() const { return available; }
    // Frees the queries; a later Init starts anew.
    void Shutdown();

    // Reads back the oldest frame in flight if its stamps have arrived, then
    // opens a frame with a mark of the given name.
    void BeginFrame(const char* label = "frame");
    // A stamp after everything submitted so far; the span up to the next
    // mark carries this name. Marks past kMaxMarks are dropped.
    void Mark(const char* label);
    void EndFrame();

    // The spans of the newest frame read back, mark to mark; empty until one
    // has come back.
    const std::vector<Span>& LastFrameSpans() const { return lastSpans; }
    // Its time from the first mark to the end, in milliseconds; 0 before.
    double LastFrameMilliseconds() const { return lastTotal; }
    // Frames whose stamps had not arrived in time and were dropped.
    int DroppedFrames() const { return dropped; }

    // Every frame read back, oldest first, numbered by BeginFrame from 0;
    // kept until taken, the newest kMaxKeptFrames of them.
    static constexpr int kMaxKeptFrames = 64;
    struct Frame {
        int64_t number = 0;
        std::vector<Span> spans;
    };
    std::vector<Frame> TakeFrames();
    // Waits for the frames still in flight and reads them back.
    void Flush();

private:
    struct Slot {
        std::array<GLuint, kMaxMarks + 1> queries{};
        std::vector<std::string> labels;
        int64_t number = 0;
        bool pending = false;
    };

    void Collect(Slot& slot);
    void Stamp(Slot& slot, const char* label);

    std::array<Slot, kFramesLate> slots;
    int current = 0;
    bool available = false;
    bool inFrame = false;
    int dropped = 0;
    std::vector<Span> lastSpans;
    double lastTotal = 0.0;
    int64_t begun = 0;
    std::vector<Frame> arrived;
};
