#include "demo/CaptureDemo.h"

#include "engine/platform/SystemServices.h"
#include "engine/render/Display.h"

bool CaptureDemo::Precalculate(uint32_t pollMilliseconds) {
    Display* display = GetDisplay();
    while (GetState() == DemoState::Precalculating) {
        Update();
        display->BeginFrame();
        if (!Frame())
            return false;
        display->EndFrame();
        display->Present();
        if (!display->ProcessMessages())
            return false;
        if (pollMilliseconds > 0)
            platform::SleepMilliseconds(pollMilliseconds);
    }
    return GetState() == DemoState::Playing;
}
