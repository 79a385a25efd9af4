#include "engine/core/FrameTimer.h"

#include "engine/core/FrameListener.h"
#include "engine/core/TimeSource.h"

#include <algorithm>
#include <numeric>

void FrameTimer::Reset(double newDefaultDelta) {
    defaultDelta = newDefaultDelta;
    windowSize = 1;
    history.clear();
    history.push_back(newDefaultDelta);
}

void FrameTimer::SetTimeSource(TimeSource* source) {
    timeSource = source;
    if (timeSource)
        startTime = lastTime = timeSource->Now();
}

void FrameTimer::Update() {
    double sample = 0.0;
    if (timeSource) {
        double now = timeSource->Now();
        sample = now - lastTime;
        if (sample > kStallLimit)
            sample = history.empty() ? kStallLimit : history.back();
        lastTime = now;
    }
    history.push_back(sample);
    while (history.size() > windowSize)
        history.pop_front();

    delta = std::accumulate(history.begin(), history.end(), 0.0) / static_cast<double>(history.size());
    totalTime += delta;
    for (FrameListener* listener : listeners)
        listener->OnFrame();
}

void FrameTimer::AddListener(FrameListener* listener) { listeners.push_back(listener); }

void FrameTimer::RemoveListener(FrameListener* listener) {
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}
