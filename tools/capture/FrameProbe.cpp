#include "tools/capture/FrameProbe.h"

#include <cstring>

namespace {

// The GPU span that starts at each mark.
const char* SpanAfter(FrameMarks::Point point) {
    switch (point) {
    case FrameMarks::Point::SceneBegin: return "scene";
    case FrameMarks::Point::GlowBegin: return "glow";
    case FrameMarks::Point::GlowEnd: return "scene";
    case FrameMarks::Point::SceneEnd: return "final";
    case FrameMarks::Point::FinalPassEnd: return "after";
    default: return nullptr;
    }
}

}

FrameProbe::FrameProbe() {
    timer.Init();
    FrameMarks::SetHook(&FrameProbe::OnMark, this);
}

FrameProbe::~FrameProbe() { FrameMarks::SetHook(nullptr, nullptr); }

void FrameProbe::BeginFrame() {
    counter.Reset();
    buildMs = 0.0;
    timer.BeginFrame("before");
}

void FrameProbe::EndFrame() { timer.EndFrame(); }

void FrameProbe::OnMark(FrameMarks::Point point, void* context) {
    FrameProbe& probe = *static_cast<FrameProbe*>(context);
    if (point == FrameMarks::Point::BuildBegin) {
        probe.buildStarted = std::chrono::steady_clock::now();
    } else if (point == FrameMarks::Point::BuildEnd) {
        probe.buildMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - probe.buildStarted).count();
    } else if (const char* span = SpanAfter(point)) {
        probe.timer.Mark(span);
    }
}

std::vector<FrameProbe::GpuFigures> FrameProbe::TakeGpuFrames() {
    std::vector<GpuFigures> figures;
    for (const GpuFrameTimer::Frame& frame : timer.TakeFrames()) {
        GpuFigures f;
        f.frame = frame.number;
        for (const GpuFrameTimer::Span& span : frame.spans) {
            if (span.label == "scene")
                f.sceneMs += span.milliseconds;
            else if (span.label == "glow")
                f.glowMs += span.milliseconds;
            else if (span.label == "final")
                f.finalMs += span.milliseconds;
        }
        figures.push_back(f);
    }
    return figures;
}
