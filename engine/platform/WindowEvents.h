#pragma once

#include <cstdint>

namespace platform {

enum class WindowEventType {
    Other,
    KeyDown,        // key, modifiers; code: the system's own key code, 27 for Escape
    KeyUp,          // the same
    Character,      // code: the character typed
    MouseMove,      // x, y, modifiers
    MouseDown,      // button, x, y, modifiers
    MouseUp,        // the same
    MouseWheel,     // wheel, modifiers
    Close,          // the user asks to close the window
    Destroy,        // the window is going away
    SystemCommand,  // code: 0xF140 screen saver, 0xF170 monitor power
    Resize,         // width, height: the new client size
    Quit,           // the quit message
};

// Keys by what they are, the same on every system.
enum class Key : uint32_t {
    Unknown,
    Escape, Enter, Tab, Backspace, Space,
    Left, Right, Up, Down, PageUp, PageDown, Home, End, Insert, Delete,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    Shift, Control, Alt,
};

// Held with a key or a mouse event; flags of WindowEvent::modifiers.
constexpr uint32_t kShiftModifier = 1;
constexpr uint32_t kControlModifier = 2;
constexpr uint32_t kAltModifier = 4;

enum class MouseButton : uint32_t { None, Left, Right, Middle };

struct WindowEvent {
    WindowEventType type = WindowEventType::Other;
    uint32_t code = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    Key key = Key::Unknown;
    uint32_t modifiers = 0;
    // A key the system sees first (with Alt held, or F10): a tool may act on
    // it, but Escape then belongs to the system and never ends the program.
    bool systemKey = false;
    MouseButton button = MouseButton::None;
    int32_t x = 0;       // client pixels from the top left
    int32_t y = 0;
    float wheel = 0.0f;  // notches, positive away from the user
};

// The neutral key for a letter or digit key, which every system numbers in
// ASCII ('A' or 'a' to 'Z', '0' to '9'); Unknown for anything else.
Key KeyFromAscii(uint32_t code);

constexpr uint32_t kEscapeKey = 27;
constexpr uint32_t kScreenSaveCommand = 0xF140;
constexpr uint32_t kMonitorPowerCommand = 0xF170;

// Takes the next pending event without waiting; false when none is left.
bool PollWindowEvent(WindowEvent& event);
// Queues the quit message, which a later PollWindowEvent returns.
void PostQuitEvent();

}
