#pragma once

#include "tools/live/ReloadReport.h"

#include <deque>
#include <map>
#include <string>

// The reloads as the overlay lists them: every file that is broken now, in
// a list of its own until it loads again (or the show turns out not to use
// it), and the last few reports, each with the time of day it came.
class ReloadBoard {
public:
    static constexpr size_t kHistoryLength = 8;

    struct Line {
        std::string timeOfDay;  // "hh:mm:ss"
        ReloadReport report;
    };

    // A report with an empty path names no file: it goes to the history only.
    void Note(const ReloadReport& report, const std::string& timeOfDay);

    // By path.
    const std::map<std::string, ReloadReport>& Broken() const { return broken; }
    // Newest first.
    const std::deque<Line>& History() const { return history; }

private:
    std::map<std::string, ReloadReport> broken;
    std::deque<Line> history;
};
