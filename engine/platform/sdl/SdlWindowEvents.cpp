#include "engine/platform/WindowEvents.h"

#include "engine/platform/sdl/SdlKeys.h"

#include <SDL.h>

namespace platform {

namespace {

// Like the OS's quit message, delivered once the queue holds nothing else.
bool quitPosted = false;

WindowEvent TranslateWindowEvent(const SDL_WindowEvent& window) {
    WindowEvent event;
    switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        event.type = WindowEventType::Close;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        event.type = WindowEventType::Resize;
        event.width = static_cast<uint32_t>(window.data1);
        event.height = static_cast<uint32_t>(window.data2);
        break;
    default:
        break;
    }
    return event;
}

WindowEvent KeyEvent(WindowEventType type, const SDL_KeyboardEvent& key) {
    WindowEvent event;
    event.type = type;
    event.code = static_cast<uint32_t>(key.keysym.sym);
    event.key = KeyFromSdlKeycode(key.keysym.sym);
    event.modifiers = ModifiersFromSdl(key.keysym.mod);
    return event;
}

MouseButton ButtonOf(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return MouseButton::None;
    }
}

WindowEvent MouseEvent(WindowEventType type, int32_t x, int32_t y) {
    WindowEvent event;
    event.type = type;
    event.x = x;
    event.y = y;
    event.modifiers = ModifiersFromSdl(SDL_GetModState());
    return event;
}

WindowEvent ButtonEvent(WindowEventType type, const SDL_MouseButtonEvent& mouse) {
    WindowEvent event = MouseEvent(type, mouse.x, mouse.y);
    event.button = ButtonOf(mouse.button);
    return event;
}

WindowEvent WheelEvent(const SDL_MouseWheelEvent& wheel) {
    WindowEvent event = MouseEvent(WindowEventType::MouseWheel, 0, 0);
    SDL_GetMouseState(&event.x, &event.y);
    const float notches = static_cast<float>(wheel.y);
    event.wheel = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -notches : notches;
    return event;
}

WindowEvent Translate(const SDL_Event& sdl) {
    WindowEvent event;
    switch (sdl.type) {
    case SDL_QUIT:
        event.type = WindowEventType::Quit;
        break;
    case SDL_KEYDOWN:
        event = KeyEvent(WindowEventType::KeyDown, sdl.key);
        break;
    case SDL_KEYUP:
        event = KeyEvent(WindowEventType::KeyUp, sdl.key);
        break;
    case SDL_MOUSEMOTION:
        event = MouseEvent(WindowEventType::MouseMove, sdl.motion.x, sdl.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
        event = ButtonEvent(WindowEventType::MouseDown, sdl.button);
        break;
    case SDL_MOUSEBUTTONUP:
        event = ButtonEvent(WindowEventType::MouseUp, sdl.button);
        break;
    case SDL_MOUSEWHEEL:
        event = WheelEvent(sdl.wheel);
        break;
    case SDL_TEXTINPUT:
        event.type = WindowEventType::Character;
        event.code = static_cast<unsigned char>(sdl.text.text[0]);
        break;
    case SDL_WINDOWEVENT:
        event = TranslateWindowEvent(sdl.window);
        break;
    default:
        break;
    }
    return event;
}

}

bool PollWindowEvent(WindowEvent& event) {
    SDL_Event sdl;
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_PollEvent(&sdl)) {
        event = Translate(sdl);
        return true;
    }
    if (!quitPosted)
        return false;
    quitPosted = false;
    event = WindowEvent();
    event.type = WindowEventType::Quit;
    return true;
}

void PostQuitEvent() { quitPosted = true; }

}
