#pragma once

#include "engine/platform/win32/Win32Headers.h"

namespace platform {

// The procedure of the GL window's class: it turns the messages the program
// reacts to into window events for PollWindowEvent.
LRESULT CALLBACK GLWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Forgets the events of a window that is gone.
void DropQueuedWindowEvents();

// While set, the procedure swallows screen-saver and monitor-power requests.
void BlockScreenSaverRequests(bool block);

}
