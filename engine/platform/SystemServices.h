#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The high-resolution monotonic counter and its ticks per second.
int64_t PerformanceCounter();
int64_t PerformanceFrequency();

void SleepMilliseconds(uint32_t milliseconds);

// Copies the working directory into the buffer; false when it does not fit.
bool CurrentDirectory(char* buffer, uint32_t size);

// The OS's code for the calling thread's last error, and the OS's text for a code.
uint32_t LastErrorCode();
std::string ErrorText(uint32_t code);

// One line naming the operating system, or an empty string when the OS cannot
// be described (the caller may ask again).
std::string DescribeOperatingSystem();

// The separator the OS writes between path components.
char NativePathSeparator();

// Makes standard output visible and unbuffered and titles the console.
void OpenDebugConsole(const char* title);
void CloseDebugConsole();

// Waits for a key, as the console command "pause" does; only when standard
// input is an interactive terminal, since nobody could press one otherwise.
void PauseForKey();

}
