#pragma once

namespace platform {

// Shows a modal error box and blocks until it is dismissed. The text always
// goes to standard error at once; the box itself is left out when no display
// exists or ZPDEMO_NO_DIALOGS is set, so an automated run never waits on it.
// Called from any thread but the main one, the box is queued instead (the
// window system shows boxes only from the main thread) until the main thread
// calls ShowPendingErrorBoxes.
void ShowErrorBox(const char* caption, const char* text);

// Shows every box queued by other threads, oldest first, and returns how
// many were taken off the queue. Does nothing off the main thread.
int ShowPendingErrorBoxes();

// True when ZPDEMO_NO_DIALOGS is set in the environment, or a program has
// turned the boxes off for itself (a tool that reports errors its own way).
bool DialogsDisabled();
void DisableDialogs();

// The backend's modal box itself, on the main thread; it may leave the box
// out where the system has no way to show one (no display).
void ShowNativeErrorBox(const char* caption, const char* text);

}
