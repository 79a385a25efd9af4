#pragma once

#include <cstdint>

namespace platform {

enum class WindowEventType {
    Other,
    KeyDown,        // code: the key, 27 for Escape
    Character,      // code: the character typed
    Close,          // the user asks to close the window
    Destroy,        // the window is going away
    SystemCommand,  // code: 0xF140 screen saver, 0xF170 monitor power
    Resize,         // width, height: the new client size
    Quit,           // the quit message
};

struct WindowEvent {
    WindowEventType type = WindowEventType::Other;
    uint32_t code = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

constexpr uint32_t kEscapeKey = 27;
constexpr uint32_t kScreenSaveCommand = 0xF140;
constexpr uint32_t kMonitorPowerCommand = 0xF170;

// Takes the next pending event without waiting; false when none is left.
bool PollWindowEvent(WindowEvent& event);
// Queues the quit message, which a later PollWindowEvent returns.
void PostQuitEvent();

}
