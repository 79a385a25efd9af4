#include "engine/render/FrameMarks.h"

namespace {

FrameMarks::Hook currentHook = nullptr;
void* currentContext = nullptr;

}

void FrameMarks::SetHook(Hook hook, void* context) {
    currentHook = hook;
    currentContext = hook ? context : nullptr;
}

void FrameMarks::Mark(Point point) {
    if (currentHook)
        currentHook(point, currentContext);
}
