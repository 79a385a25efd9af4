#include "engine/platform/win32/Win32Keys.h"

#include "engine/platform/win32/Win32Headers.h"

using platform::Key;

Key KeyFromVirtualKey(uint32_t virtualKey) {
    switch (virtualKey) {
    case VK_ESCAPE: return Key::Escape;
    case VK_RETURN: return Key::Enter;
    case VK_TAB: return Key::Tab;
    case VK_BACK: return Key::Backspace;
    case VK_SPACE: return Key::Space;
    case VK_LEFT: return Key::Left;
    case VK_RIGHT: return Key::Right;
    case VK_UP: return Key::Up;
    case VK_DOWN: return Key::Down;
    case VK_PRIOR: return Key::PageUp;
    case VK_NEXT: return Key::PageDown;
    case VK_HOME: return Key::Home;
    case VK_END: return Key::End;
    case VK_INSERT: return Key::Insert;
    case VK_DELETE: return Key::Delete;
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: return Key::Shift;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: return Key::Control;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: return Key::Alt;
    default: break;
    }
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
        return static_cast<Key>(static_cast<uint32_t>(Key::F1) + (virtualKey - VK_F1));
    // Letters and digits are their upper-case ASCII codes; the lower-case
    // codes are other keys (the numeric pad) and must not read as letters.
    const bool letterOrDigit = (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
    return letterOrDigit ? platform::KeyFromAscii(virtualKey) : Key::Unknown;
}

uint32_t ModifiersFromKeysHeld(bool shift, bool control, bool alt) {
    return (shift ? platform::kShiftModifier : 0u) | (control ? platform::kControlModifier : 0u) |
           (alt ? platform::kAltModifier : 0u);
}
