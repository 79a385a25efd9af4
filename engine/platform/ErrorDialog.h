#pragma once

namespace platform {

// Shows a modal error box and blocks until it is dismissed. The text always
// goes to standard error too; the box itself is left out when no display
// exists or ZPDEMO_NO_DIALOGS is set, so an automated run never waits on it.
void ShowErrorBox(const char* caption, const char* text);

// True when ZPDEMO_NO_DIALOGS is set in the environment.
bool DialogsDisabled();

}
