#pragma once

#include "engine/core/Log.h"

#include <vector>

// Stamps each line with the engine time and the level name and hands it to
// every sink in the order they were added.
class LogDispatcher : public Log {
public:
    LogLevel GetLevel() const override { return threshold; }
    void SetLevel(LogLevel level) override { threshold = level; }
    void AddSink(LogSink* sink) override;
    void RemoveSink(LogSink* sink) override;
    void Write(LogLevel level, const std::string& text) override;

private:
    LogLevel threshold = LOG_DEBUG;
    std::vector<LogSink*> sinks;  // not owned
};
