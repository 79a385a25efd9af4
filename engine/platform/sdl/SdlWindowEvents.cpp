#include "engine/platform/WindowEvents.h"

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

WindowEvent Translate(const SDL_Event& sdl) {
    WindowEvent event;
    switch (sdl.type) {
    case SDL_QUIT:
        event.type = WindowEventType::Quit;
        break;
    case SDL_KEYDOWN:
        event.type = WindowEventType::KeyDown;
        event.code = static_cast<uint32_t>(sdl.key.keysym.sym);
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
