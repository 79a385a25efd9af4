#include "engine/core/AppSettings.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/EntryPoint.h"
#include "engine/platform/ErrorDialog.h"
#include "engine/render/OpenGLWindow.h"
#include "tools/live/LiveDemo.h"
#include "tools/live/LiveOverlay.h"
#include "tools/live/LiveOptions.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The live show with its overlay drawn over each frame.
class LiveShow : public LiveDemo {
public:
    using LiveDemo::LiveDemo;

    bool OnInit() override {
        if (!overlayTried && GetDisplay()) {
            overlayTried = true;
            if (!overlay.Init(GetSettings()->width, GetSettings()->height))
                std::printf("the overlay could not start\n");
        }
        return LiveDemo::OnInit();
    }

    // The overlay takes the clicks on it; the keys go to the show. True
    // when the window is not to act on the event.
    bool HandleWindowEvent(const platform::WindowEvent& event) {
        return overlay.HandleEvent(event) || OnWindowEvent(event);
    }

    void CloseOverlay() { overlay.Shutdown(); }

protected:
    void DrawOverTheFrame() override {
        const auto started = std::chrono::steady_clock::now();
        SetTrackerRoom(overlay.TrackerRoomNow());
        const OverlayModel model = MakeOverlayModel();
        const double seek = overlay.Draw(model, model.fps > 1.0 ? 1.0 / model.fps : 1.0 / 60.0);
        if (seek >= 0.0)
            RequestSeek(seek);
        ApplyTrackerInput(overlay.TakeTrackerInput());
        if (printFigures)
            figures.Add(Figures(), std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
    }

    void OnAction(LiveAction action) override {
        // The tracker's keys act only while it can be seen.
        if (action == LiveAction::ToggleOverlay) {
            overlay.SetVisible(!overlay.IsVisible());
            if (!overlay.IsVisible())
                Tracker().SetOpen(false);
        }
        if (action == LiveAction::ToggleTracker && Tracker().IsOpen())
            overlay.SetVisible(true);
        if (action == LiveAction::ToggleKeyTable)
            overlay.SetKeyTableVisible(!overlay.IsKeyTableVisible());
    }

private:
    // With ZPLIVE_FIGURES set, a line a second of what the frames cost: the
    // show's CPU time, the overlay's, and the GPU's.
    struct FigureLines {
        int frames = 0;
        double cpu = 0.0, overlay = 0.0, gpu = 0.0;
        std::chrono::steady_clock::time_point since = std::chrono::steady_clock::now();

        void Add(const LiveDemo::FrameFigures& frame, double overlayMs) {
            ++frames;
            cpu += frame.cpuMilliseconds;
            overlay += overlayMs;
            gpu += frame.gpuMilliseconds;
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
            if (seconds < 1.0)
                return;
            std::printf("figures fps %.1f cpu %.2f ms overlay %.2f ms gpu %.2f ms\n", frames / seconds, cpu / frames,
                        overlay / frames, gpu / frames);
            std::fflush(stdout);
            *this = FigureLines();
        }
    };

    LiveOverlay overlay;
    bool overlayTried = false;
    const bool printFigures = std::getenv("ZPLIVE_FIGURES") != nullptr;
    FigureLines figures;
};

AppSettings LiveSettings(const LiveOptions& options) {
    AppSettings settings;
    settings.width = options.width;
    settings.height = options.height;
    settings.fullscreen = options.fullscreen;
    return settings;
}

}

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kLiveUsage, stdout);
        return 0;
    }
    LiveOptions options;
    std::string error;
    if (!ParseLiveOptions(arguments, options, error)) {
        std::fprintf(stderr, "zplive: %s\n%s", error.c_str(), kLiveUsage);
        return 2;
    }
    // Everything the show reads and the tool watches is under data/, from
    // the working directory; without it every file would fail on its own.
    std::error_code ignored;
    if (!std::filesystem::is_directory("data", ignored)) {
        std::fprintf(stderr,
                     "zplive: there is no data folder in %s\n"
                     "zplive runs from the folder that holds data/ (the repository root)\n",
                     std::filesystem::current_path(ignored).generic_string().c_str());
        return 1;
    }
    // Errors go to the overlay, the log and standard output, never to a box
    // that would stop the show someone is working on.
    platform::DisableDialogs();
    Srand(Demo::kRandomSeed);
    AppSettings settings = LiveSettings(options);
    LiveShow demo(options);
    OpenGLWindow::SetEventListener(
        [&demo](const platform::WindowEvent& event) { return demo.HandleWindowEvent(event); });
    // A show that cannot be set up (a file already broken) still gets its
    // window: it is built once the file is saved fixed.
    const bool opened = demo.Init(&settings) || demo.GetDisplay();
    if (opened)
        demo.Run();
    OpenGLWindow::SetEventListener(nullptr);
    demo.CloseOverlay();
    demo.Close();
    ShutdownApplication(demo);
    return opened ? 0 : 1;
}
