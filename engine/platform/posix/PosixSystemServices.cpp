#include "engine/platform/SystemServices.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace platform {

int64_t PerformanceCounter() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int64_t PerformanceFrequency() { return 1000000000; }

void SleepMilliseconds(uint32_t milliseconds) {
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) == -1 && errno == EINTR) {
    }
}

bool CurrentDirectory(char* buffer, uint32_t size) { return getcwd(buffer, size) != nullptr; }

uint32_t LastErrorCode() { return static_cast<uint32_t>(errno); }

std::string ErrorText(uint32_t code) {
    // Written as the system writes its texts: one line with its line break.
    return std::string(std::strerror(static_cast<int>(code))) + "\n";
}

char NativePathSeparator() { return '/'; }

void OpenDebugConsole(const char* title) {
    // Standard output is already visible on Linux; make it unbuffered and name
    // the terminal window when there is one.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (isatty(STDOUT_FILENO))
        std::printf("\033]0;%s\007", title);
}

void CloseDebugConsole() { std::fflush(stdout); }

void PauseForKey() {
    if (!isatty(STDIN_FILENO))
        return;
    std::printf("Press any key to continue . . . ");
    std::fflush(stdout);
    std::getchar();
}

}
