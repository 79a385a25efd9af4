#pragma once

#include <string>

// What became of one changed file: reloaded (ok), or kept back because it
// does not build, with the line in that file and the driver's message.
struct ReloadReport {
    std::string path;
    bool ok = true;
    int line = 0;  // 0 when the message has no line in this file
    std::string message;
};

// "reload <path> ok" or "reload <path> error <line>: <message>".
std::string FormatReloadLine(const ReloadReport& report);
