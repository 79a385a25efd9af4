#include "engine/platform/win32/Win32WindowEvents.h"

#include "engine/platform/WindowEvents.h"

#include <deque>

namespace platform {

namespace {

// Main thread only: the procedure runs inside the pump on the thread that
// owns the window.
std::deque<WindowEvent> queuedEvents;
bool screenSaverBlocked = false;

WindowEvent MakeEvent(WindowEventType type, uint32_t code = 0) {
    WindowEvent event;
    event.type = type;
    event.code = code;
    return event;
}

bool IsScreenSaverRequest(uint32_t command) { return command == kScreenSaveCommand || command == kMonitorPowerCommand; }

}

LRESULT CALLBACK GLWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        queuedEvents.push_back(MakeEvent(WindowEventType::KeyDown, static_cast<uint32_t>(wParam)));
        return 0;
    case WM_CHAR:
        queuedEvents.push_back(MakeEvent(WindowEventType::Character, static_cast<uint32_t>(wParam)));
        return 0;
    case WM_CLOSE:
        // Not passed on: the default would destroy the window under the program.
        queuedEvents.push_back(MakeEvent(WindowEventType::Close));
        return 0;
    case WM_DESTROY:
        queuedEvents.push_back(MakeEvent(WindowEventType::Destroy));
        return 0;
    case WM_SYSCOMMAND: {
        // The low four bits are the system's own.
        const uint32_t command = static_cast<uint32_t>(wParam & 0xFFF0);
        queuedEvents.push_back(MakeEvent(WindowEventType::SystemCommand, command));
        if (screenSaverBlocked && IsScreenSaverRequest(command))
            return 0;
        break;
    }
    case WM_SIZE: {
        WindowEvent event = MakeEvent(WindowEventType::Resize);
        event.width = LOWORD(lParam);
        event.height = HIWORD(lParam);
        queuedEvents.push_back(event);
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void DropQueuedWindowEvents() { queuedEvents.clear(); }

void BlockScreenSaverRequests(bool block) { screenSaverBlocked = block; }

// Messages are dispatched until one of them has become an event; the quit
// message comes only once the queue holds nothing else.
bool PollWindowEvent(WindowEvent& event) {
    MSG message;
    while (queuedEvents.empty() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            event = MakeEvent(WindowEventType::Quit);
            return true;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (queuedEvents.empty())
        return false;
    event = queuedEvents.front();
    queuedEvents.pop_front();
    return true;
}

void PostQuitEvent() { PostQuitMessage(0); }

}
