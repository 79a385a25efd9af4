#pragma once

#include "engine/core/Log.h"
#include "tools/live/ReloadReport.h"

#include <mutex>
#include <string>
#include <vector>

// The log's ERROR messages, kept for the live tool to show in its overlay
// and on standard output instead of a box. The precalc worker logs too, so
// lines are handed over under a lock.
class ErrorLines : public LogSink {
public:
    bool Open() override { return true; }
    void Close() override {}
    void Write(LogLevel level, const std::string& line) override;

    // The messages written since the last call, without time and level.
    std::vector<std::string> Take();

private:
    std::mutex lock;
    std::vector<std::string> pending;
};

// The reports that log messages, in the order written, make in the lists:
// each names the file quoted in "file '...'", or no file (an empty path).
// The driver's compile and link logs make none: they name no file, and the
// tool's own check reports them at the file and line they are about.
std::vector<ReloadReport> ReportsOfLogErrors(const std::vector<std::string>& messages);
