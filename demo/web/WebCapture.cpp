#include "demo/web/WebCapture.h"

#include "demo/CaptureDemo.h"
#include "engine/core/AppSettings.h"
#include "engine/core/EntryPoint.h"
#include "engine/platform/ErrorDialog.h"
#include "engine/platform/web/WebPage.h"
#include "engine/render/Display.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GLFunctions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kStepsPerSecond = 60;
// A time this close to a step is that step's frame, drawn once.
constexpr double kSameFrame = 1e-9;

AppSettings CaptureSettings(const WebOptions& options) {
    AppSettings settings;
    settings.width = options.width;
    settings.height = options.height;
    settings.fullscreen = false;
    settings.vsync = false;
    settings.music = false;
    settings.requirePak = true;
    settings.writeLog = options.writeLog;
    settings.logPath = "/dev/stdout";
    return settings;
}

// One frame on the capture's clock; false once the show is over.
bool StepFrame(CaptureDemo& demo, double time, bool draw) {
    Display* display = demo.GetDisplay();
    demo.SetShowTime(time);
    demo.SetDrawing(draw);
    demo.Update();
    display->BeginFrame();
    if (!demo.Frame())
        return false;
    display->EndFrame();
    return true;
}

bool DrawAt(CaptureDemo& demo, double time) {
    for (int64_t step = 0;; ++step) {
        const double stepTime = static_cast<double>(step) / kStepsPerSecond;
        if (stepTime >= time - kSameFrame)
            break;
        if (!StepFrame(demo, stepTime, false))
            return false;
    }
    return StepFrame(demo, time, true);
}

void HandOver(int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    platform::HandOverCapturedFrame(pixels.data(), width, height);
}

}

int RunWebCapture(const WebOptions& options) {
    AppSettings settings = CaptureSettings(options);
    CaptureDemo demo;
    bool captured = demo.Init(&settings) && demo.Precalculate(0);
    if (captured && !DrawAt(demo, options.captureTime)) {
        const std::string text = "The show ends before " + std::to_string(options.captureTime) + " s.";
        platform::ShowErrorBox("Capture", text.c_str());
        captured = false;
    }
    if (captured)
        HandOver(options.width, options.height);
    ShutdownApplication(demo);
    return captured ? 0 : 1;
}
