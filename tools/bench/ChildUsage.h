#pragma once

#include <string>
#include <vector>

// What a child process used, itself and the children it waited for.
struct ChildUsage {
    double cpuSeconds = 0.0;  // user and system
    double wallSeconds = 0.0;
    long peakResidentKiB = 0;
    int exitCode = -1;        // 128 + signal when a signal ended it
};

// Runs the command (found on PATH) and waits for it. With stopAfter above
// zero the child is sent SIGTERM after that many seconds, and SIGKILL two
// seconds later if it is still there. False, with a message, when it cannot
// be started.
bool RunChild(const std::vector<std::string>& command, double stopAfter, ChildUsage& usage, std::string& error);
