#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/ProcessEntry.h"

// Windows hands over the text after the program name as it was typed; the
// portable entry takes exactly that.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) { return ProgramMain(commandLine ? commandLine : ""); }
