#pragma once

#include "e2e/LogLines.h"
#include "e2e/Process.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

// What the tests of zpdemo on a display share: its log read line by line,
// waits on it, and the Escape key sent to its window.

struct LogLine {
    double time = -1.0;
    std::string level;
    std::string message;
};

// The log's message lines; the file's opening and closing lines are left out.
inline std::vector<LogLine> ReadLog(const std::string& path) {
    std::vector<LogLine> log;
    for (const std::string& line : Lines(ReadFileText(path))) {
        LogLine entry;
        entry.message = MessageOf(line, &entry.level);
        if (entry.level.empty())
            continue;
        entry.time = std::atof(line.c_str());
        log.push_back(entry);
    }
    return log;
}

inline const LogLine* Find(const std::vector<LogLine>& log, const std::string& message) {
    auto found = std::find_if(log.begin(), log.end(), [&](const LogLine& line) { return line.message == message; });
    return found == log.end() ? nullptr : &*found;
}

// The first line of the level, or null.
inline const LogLine* FirstOfLevel(const std::vector<LogLine>& log, const std::string& level) {
    auto found = std::find_if(log.begin(), log.end(), [&](const LogLine& line) { return line.level == level; });
    return found == log.end() ? nullptr : &*found;
}

// False when the message did not reach the log in time.
inline bool WaitForLogMessage(const std::string& logPath, const std::string& message, double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        if (Find(ReadLog(logPath), message))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Tried for up to 2 s: on a loaded machine the window may not be found at once.
inline bool PressEscape() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (std::system("xdotool search --class ZPDEMO_WINDOW key --window %1 Escape >/dev/null 2>&1") == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// The texture uploads are the main thread's first work once the precalc
// worker has ended: the show starts in the same frame, with or without music.
constexpr const char* kLastUploadLine = "Loading texture 'data/textures/festa.tga'...";
