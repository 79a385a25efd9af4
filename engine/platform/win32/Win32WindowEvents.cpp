#include "engine/platform/win32/Win32WindowEvents.h"

#include "engine/platform/WindowEvents.h"
#include "engine/platform/win32/Win32Keys.h"

#include <windowsx.h>

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

MouseButton ButtonOfMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return MouseButton::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return MouseButton::Right;
    default: return MouseButton::Middle;
    }
}

WindowEventType ButtonMessageType(UINT message) {
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    return down ? WindowEventType::MouseDown : WindowEventType::MouseUp;
}

uint32_t ModifiersHeld() {
    return ModifiersFromKeysHeld(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0);
}

WindowEvent KeyEvent(WindowEventType type, WPARAM virtualKey, bool systemKey = false) {
    WindowEvent event = MakeEvent(type, static_cast<uint32_t>(virtualKey));
    event.key = KeyFromVirtualKey(static_cast<uint32_t>(virtualKey));
    event.modifiers = ModifiersHeld();
    event.systemKey = systemKey;
    return event;
}

WindowEvent MouseEvent(WindowEventType type, LPARAM position, MouseButton button = MouseButton::None) {
    WindowEvent event = MakeEvent(type);
    event.x = GET_X_LPARAM(position);
    event.y = GET_Y_LPARAM(position);
    event.button = button;
    event.modifiers = ModifiersHeld();
    return event;
}

// A drag that leaves the window still reports to it until the button is up.
void QueueButton(HWND window, WindowEventType type, LPARAM position, MouseButton button) {
    if (type == WindowEventType::MouseDown)
        SetCapture(window);
    else
        ReleaseCapture();
    queuedEvents.push_back(MouseEvent(type, position, button));
}

// The wheel reports screen coordinates and notches of WHEEL_DELTA.
WindowEvent WheelEvent(HWND window, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &point);
    WindowEvent event = MakeEvent(WindowEventType::MouseWheel);
    event.x = point.x;
    event.y = point.y;
    event.wheel = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
    event.modifiers = ModifiersHeld();
    return event;
}

}

LRESULT CALLBACK GLWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        queuedEvents.push_back(KeyEvent(WindowEventType::KeyDown, wParam));
        return 0;
    case WM_KEYUP:
        queuedEvents.push_back(KeyEvent(WindowEventType::KeyUp, wParam));
        return 0;
    // Alt and F10 come as system keys; the system still sees them, for
    // Alt+F4 and Alt+Escape.
    case WM_SYSKEYDOWN:
        queuedEvents.push_back(KeyEvent(WindowEventType::KeyDown, wParam, true));
        break;
    case WM_SYSKEYUP:
        queuedEvents.push_back(KeyEvent(WindowEventType::KeyUp, wParam, true));
        break;
    case WM_MOUSEMOVE:
        queuedEvents.push_back(MouseEvent(WindowEventType::MouseMove, lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        QueueButton(window, ButtonMessageType(message), lParam, ButtonOfMessage(message));
        return 0;
    case WM_MOUSEWHEEL:
        queuedEvents.push_back(WheelEvent(window, wParam, lParam));
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
