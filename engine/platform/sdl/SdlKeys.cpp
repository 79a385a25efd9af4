#include "engine/platform/sdl/SdlKeys.h"

#include <SDL.h>

using platform::Key;

Key KeyFromSdlKeycode(int32_t keycode) {
    switch (keycode) {
    case SDLK_ESCAPE: return Key::Escape;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return Key::Enter;
    case SDLK_TAB: return Key::Tab;
    case SDLK_BACKSPACE: return Key::Backspace;
    case SDLK_SPACE: return Key::Space;
    case SDLK_LEFT: return Key::Left;
    case SDLK_RIGHT: return Key::Right;
    case SDLK_UP: return Key::Up;
    case SDLK_DOWN: return Key::Down;
    case SDLK_PAGEUP: return Key::PageUp;
    case SDLK_PAGEDOWN: return Key::PageDown;
    case SDLK_HOME: return Key::Home;
    case SDLK_END: return Key::End;
    case SDLK_INSERT: return Key::Insert;
    case SDLK_DELETE: return Key::Delete;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return Key::Shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return Key::Control;
    case SDLK_LALT:
    case SDLK_RALT: return Key::Alt;
    default: break;
    }
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return static_cast<Key>(static_cast<uint32_t>(Key::F1) + static_cast<uint32_t>(keycode - SDLK_F1));
    // Letters and digits are their lower-case ASCII codes.
    return keycode > 0 && keycode < 128 ? platform::KeyFromAscii(static_cast<uint32_t>(keycode)) : Key::Unknown;
}

uint32_t ModifiersFromSdl(uint32_t sdlModifiers) {
    uint32_t modifiers = 0;
    if (sdlModifiers & KMOD_SHIFT)
        modifiers |= platform::kShiftModifier;
    if (sdlModifiers & KMOD_CTRL)
        modifiers |= platform::kControlModifier;
    if (sdlModifiers & KMOD_ALT)
        modifiers |= platform::kAltModifier;
    return modifiers;
}
