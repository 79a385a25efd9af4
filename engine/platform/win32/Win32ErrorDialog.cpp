#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/ErrorDialog.h"

namespace platform {

void ShowNativeErrorBox(const char* caption, const char* text) { MessageBoxA(nullptr, text, caption, MB_ICONERROR); }

}
