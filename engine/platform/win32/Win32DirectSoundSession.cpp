#include "engine/platform/win32/Win32DirectSoundSession.h"

namespace {

// MinGW's import library binds DirectSoundCreate8 by name; the DLL is
// bound by its ordinal instead, which every version of it keeps.
constexpr WORD kDirectSoundCreate8Ordinal = 11;

using DirectSoundCreate8Function = HRESULT(WINAPI*)(LPCGUID device, LPDIRECTSOUND8* created, LPUNKNOWN outer);

}

std::shared_ptr<Win32DirectSoundSession> Win32DirectSoundSession::Open() {
    std::shared_ptr<Win32DirectSoundSession> session(new Win32DirectSoundSession);
    session->library = LoadLibraryA("DSOUND.dll");
    if (!session->library)
        return nullptr;
    FARPROC entry = GetProcAddress(session->library, MAKEINTRESOURCEA(kDirectSoundCreate8Ordinal));
    auto create = reinterpret_cast<DirectSoundCreate8Function>(reinterpret_cast<void (*)()>(entry));
    if (!create || FAILED(create(nullptr, &session->device, nullptr))) {
        session->device = nullptr;
        return nullptr;
    }
    return session;
}

Win32DirectSoundSession::~Win32DirectSoundSession() {
    if (device)
        device->Release();
    if (library)
        FreeLibrary(library);
}
