#include "demo/web/WebShow.h"

#include "engine/platform/web/WebPage.h"

bool WebShow::Frame() {
    if (GetState() == DemoState::Playing)
        SetPaused(platform::PageHidden());
    const bool going = Demo::Frame();
    reachedEnd = !going && GetState() == DemoState::Playing;
    const DemoState state = GetState();
    platform::ReportShowStatus(state == DemoState::Playing, GetTime().time, state == DemoState::Precalculating);
    return going;
}
