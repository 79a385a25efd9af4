#include "engine/core/Clock.h"

#include "engine/core/FrameTimer.h"

Clock::~Clock() { Attach(nullptr); }

void Clock::Attach(FrameTimer* newTimer) {
    if (timer)
        timer->RemoveListener(this);
    timer = newTimer;
    if (timer)
        timer->AddListener(this);
}

void Clock::OnFrame() {
    if (!timer || paused)
        return;
    delta = timer->GetDelta() * speed;
    time += delta;
}
