#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/SystemServices.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

constexpr SHORT kConsoleBufferLines = 9999;

// True when standard output already leads somewhere: a console, a file or a
// pipe the starter of the program reads.
bool StandardOutputHasDestination() {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    return output && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN;
}

void LengthenConsoleBuffer() {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO information;
    if (!GetConsoleScreenBufferInfo(output, &information))
        return;
    COORD size = information.dwSize;
    size.Y = kConsoleBufferLines;
    SetConsoleScreenBufferSize(output, size);
}

}

int64_t PerformanceCounter() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t PerformanceFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

void SleepMilliseconds(uint32_t milliseconds) { Sleep(milliseconds); }

// The call reports the size it needs, terminator included, when the buffer
// is too small.
bool CurrentDirectory(char* buffer, uint32_t size) {
    const DWORD length = GetCurrentDirectoryA(size, buffer);
    return length != 0 && length < size;
}

uint32_t LastErrorCode() { return GetLastError(); }

std::string ErrorText(uint32_t code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length != 0 && text ? std::string(text, length) : std::string();
    if (text)
        LocalFree(text);
    return message;
}

char NativePathSeparator() { return '\\'; }

// A program started from a console, or with its output sent to a file or a
// pipe, keeps that destination; only one whose output goes nowhere gets a
// console of its own.
void OpenDebugConsole(const char* title) {
    if (!StandardOutputHasDestination() && AllocConsole())
        std::freopen("CONOUT$", "w", stdout);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    SetConsoleTitleA(title);
    LengthenConsoleBuffer();
}

void CloseDebugConsole() {
    std::fflush(stdout);
    FreeConsole();
}

// Only an interactive console has a key to wait for.
void PauseForKey() {
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
        return;
    std::fflush(stdout);
    std::system("pause");
}

}
