#include "engine/core/FpsCounter.h"

void FpsCounter::CountFrame(double now) {
    ++frames;
    double elapsed = now - lastTime;
    if (elapsed < interval)
        return;
    fps = static_cast<float>(frames / elapsed);
    frames = 0;
    lastTime = now;
}
