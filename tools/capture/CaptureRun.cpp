#include "tools/capture/CaptureRun.h"

#include "demo/DemoState.h"
#include "engine/core/AppSettings.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/EntryPoint.h"
#include "engine/files/FileSystem.h"
#include "engine/files/MemoryStream.h"
#include "engine/platform/SystemServices.h"
#include "engine/render/Display.h"
#include "engine/render/GpuMemory.h"
#include "engine/render/GLFunctions.h"
#include "demo/CaptureDemo.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/CaptureSchedule.h"
#include "tools/capture/CaptureStats.h"
#include "tools/capture/FrameProbe.h"
#include "tools/shared/FrameGrab.h"
#include "tools/capture/MusicSpan.h"
#include "tools/capture/VideoMux.h"
#include "tools/capture/VideoPipe.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

const char* const kWavName = "music.wav";
constexpr uint32_t kPrecalcPollMilliseconds = 10;

AppSettings CaptureSettings(const CaptureOptions& options) {
    AppSettings settings;
    settings.width = options.width;
    settings.height = options.height;
    settings.fullscreen = false;
    settings.vsync = false;
    settings.music = false;  // the show runs on the capture's clock
    return settings;
}

bool CheckTimes(const CaptureOptions& options) {
    const double end = ShowEndTime();
    for (double time : options.times) {
        if (time >= end) {
            std::fprintf(stderr, "zpcapture: %.3f s is not in the show, which ends at %.3f s\n", time, end);
            return false;
        }
    }
    return true;
}

bool MakeDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path)) {
        std::fprintf(stderr, "zpcapture: cannot make the directory '%s'\n", path.c_str());
        return false;
    }
    return true;
}

}

bool Precalculate(CaptureDemo& demo) { return demo.Precalculate(kPrecalcPollMilliseconds); }

namespace {

class FrameWriter {
public:
    FrameWriter(CaptureDemo& demo, const CaptureOptions& options, VideoPipe* pipe)
        : demo(demo), options(options), pipe(pipe) {
        if (options.printStats)
            probe = std::make_unique<FrameProbe>();
    }

    enum class StepResult { Going, ShowOver, Failed };

    // ShowOver when the show has ended before the frame or the window was
    // closed; Failed when a kept frame could not be written.
    StepResult Step(const CaptureFrame& frame);
    void Finish();
    const std::vector<std::string>& Written() const { return names; }
    double FirstTime() const { return firstTime; }

private:
    bool Keep(double time, double startedMs);
    void Measure(double time, double milliseconds);
    void TakeGpuFigures();

    CaptureDemo& demo;
    const CaptureOptions& options;
    VideoPipe* pipe;  // null: frames go to PNG files
    std::unique_ptr<FrameProbe> probe;
    double updateMs = 0.0;
    double frameMs = 0.0;
    CaptureStats stats;
    RgbPicture picture;
    std::vector<std::string> names;
    double firstTime = 0.0;
};

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

FrameWriter::StepResult FrameWriter::Step(const CaptureFrame& frame) {
    Display* display = demo.GetDisplay();
    const double started = NowMs();
    const bool probed = probe && frame.keep;
    if (probed)
        probe->BeginFrame();
    demo.SetShowTime(frame.time);
    demo.SetDrawing(frame.keep);
    demo.Update();
    const double updated = NowMs();
    display->BeginFrame();
    if (!demo.Frame())
        return StepResult::ShowOver;
    if (probed) {
        probe->EndFrame();
        updateMs = updated - started;
        frameMs = NowMs() - updated;
    }
    if (frame.keep && !Keep(frame.time, started))
        return StepResult::Failed;
    display->EndFrame();
    if (frame.keep)
        display->Present();
    return display->ProcessMessages() ? StepResult::Going : StepResult::ShowOver;
}

bool FrameWriter::Keep(double time, double startedMs) {
    gl.glFinish();
    const double milliseconds = NowMs() - startedMs;
    GrabFrame(options.width, options.height, picture);
    const std::string name = FrameFileName(time);
    if (pipe) {
        if (!pipe->Write(picture))
            return false;
    } else if (!WritePngFile(options.outDirectory + "/" + name, picture)) {
        std::fprintf(stderr, "zpcapture: cannot write '%s/%s'\n", options.outDirectory.c_str(), name.c_str());
        return false;
    }
    if (names.empty())
        firstTime = time;
    names.push_back(name);
    if (probe)
        Measure(time, milliseconds);
    return true;
}

void FrameWriter::Measure(double time, double milliseconds) {
    FrameFigures figures;
    figures.file = names.back();
    figures.time = time;
    figures.scene = SceneNameAt(time);
    figures.milliseconds = milliseconds;
    figures.updateMs = updateMs;
    figures.buildMs = probe->BuildMilliseconds();
    figures.submitMs = frameMs > figures.buildMs ? frameMs - figures.buildMs : 0.0;
    const GLCallCounter& calls = probe->Calls();
    figures.glCalls = calls.GetCount();
    figures.drawCalls = calls.GetDrawCount();
    figures.stateChanges = calls.GetStateChangeCount();
    figures.redundant = calls.GetRedundantCount();
    figures.alwaysIssued = calls.GetAlwaysIssuedCount();
    stats.Add(figures);
    TakeGpuFigures();
}

void FrameWriter::TakeGpuFigures() {
    for (const FrameProbe::GpuFigures& gpu : probe->TakeGpuFrames()) {
        if (FrameFigures* figures = stats.Frame(static_cast<size_t>(gpu.frame))) {
            figures->gpuTimed = true;
            figures->gpuSceneMs = gpu.sceneMs;
            figures->gpuGlowMs = gpu.glowMs;
            figures->gpuFinalMs = gpu.finalMs;
        }
    }
}

void FrameWriter::Finish() {
    if (!probe || names.empty())
        return;
    probe->Flush();
    TakeGpuFigures();
    stats.PrintFrames(stdout);
    stats.PrintSummary(stdout);
    CaptureStats::PrintMemory(stdout, GpuMemory::Current(), GpuMemory::Peak());
}

bool WriteSound(CaptureDemo& demo, const CaptureOptions& options, double from, size_t frames) {
    MemoryStream encoded;
    if (!demo.GetFileSystem()->ReadFile(Demo::kMusicFile, encoded)) {
        std::fprintf(stderr, "zpcapture: cannot read '%s'\n", Demo::kMusicFile);
        return false;
    }
    const double seconds = static_cast<double>(frames) / options.framesPerSecond;
    std::string error;
    if (!WriteMusicSpan(encoded, from, from + seconds,
                        options.outDirectory + "/" + kWavName, error)) {
        std::fprintf(stderr, "zpcapture: %s\n", error.c_str());
        return false;
    }
    return true;
}

// ffmpeg reads the sound as the frames arrive, so it is written first, for
// every frame the schedule keeps; should the show end sooner, ffmpeg stops
// the sound with the last frame.
std::unique_ptr<VideoPipe> OpenVideoPipe(CaptureDemo& demo, const CaptureOptions& options,
                                         CaptureSchedule schedule) {
    CaptureFrame frame;
    size_t kept = 0;
    double first = 0.0;
    while (schedule.Next(frame)) {
        if (frame.keep && kept++ == 0)
            first = frame.time;
    }
    auto pipe = std::make_unique<VideoPipe>();
    if (!WriteSound(demo, options, first, kept) ||
        !pipe->Open(options.width, options.height, options.framesPerSecond, options.outDirectory + "/" + kWavName,
                    options.videoFile))
        return nullptr;
    return pipe;
}

bool CaptureFrames(CaptureDemo& demo, const CaptureOptions& options) {
    CaptureSchedule schedule(options, ShowEndTime());
    std::unique_ptr<VideoPipe> pipe;
    if (options.pipeFrames && !(pipe = OpenVideoPipe(demo, options, schedule)))
        return false;
    FrameWriter writer(demo, options, pipe.get());
    CaptureFrame frame;
    while (schedule.Next(frame)) {
        const FrameWriter::StepResult result = writer.Step(frame);
        if (result == FrameWriter::StepResult::Failed)
            return false;
        if (result == FrameWriter::StepResult::ShowOver)
            break;
    }
    writer.Finish();
    std::printf("zpcapture: %zu frames in %s\n", writer.Written().size(),
                (pipe ? options.videoFile : options.outDirectory).c_str());
    if (options.mode == CaptureOptions::Mode::Times)
        return writer.Written().size() == options.times.size();
    if (pipe)
        return pipe->Close();
    if (!WriteSound(demo, options, writer.FirstTime(), writer.Written().size()))
        return false;
    return options.videoFile.empty() ||
           MuxVideo(options.outDirectory, writer.Written(), options.framesPerSecond, kWavName, options.videoFile);
}

}

int RunCapture(const CaptureOptions& options) {
    if (!CheckTimes(options) || !MakeDirectory(options.outDirectory))
        return 1;
    AppSettings settings = CaptureSettings(options);
    Srand(Demo::kRandomSeed);
    CaptureDemo demo;
    bool captured = demo.Init(&settings) && Precalculate(demo) && CaptureFrames(demo, options);
    ShutdownApplication(demo);
    return captured ? 0 : 1;
}
