#include "engine/platform/NativeWindow.h"

namespace platform {

namespace {

WindowStepLog* recording = nullptr;

}

void RecordWindowSteps(WindowStepLog* log) { recording = log; }

void NoteWindowStep(const char* step) {
    if (recording)
        recording->steps.emplace_back(step);
}

void NoteCreatedWindowStyle(uint32_t style, uint32_t extendedStyle) {
    if (!recording)
        return;
    recording->createdStyle = style;
    recording->createdExtendedStyle = extendedStyle;
}

}
