#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/SingleInstance.h"

namespace platform {

// A named mutex: the OS closes the handle when the process ends, however it
// ends, so a killed holder leaves no stale guard.
bool AcquireSingleInstance(const char* name) {
    HANDLE guard = CreateMutexA(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    if (!guard)
        // A mutex of another user's session refuses access: it exists all the same.
        return error != ERROR_ACCESS_DENIED;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(guard);
        return false;
    }
    return true;  // the handle stays open until the process ends
}

}
