#include "engine/core/LogDispatcher.h"

#include "engine/core/Engine.h"
#include "engine/core/TimeSource.h"

#include <algorithm>
#include <cstdio>

const char* LogLevelName(LogLevel level) {
    switch (level) {
    case LOG_ERROR: return "ERROR";
    case LOG_WARNING: return "WARNING";
    case LOG_SYSTEM: return "SYSTEM";
    case LOG_INFO: return "INFO";
    case LOG_DEBUG: return "DEBUG";
    default: return "?????";
    }
}

void LogDispatcher::AddSink(LogSink* sink) { sinks.push_back(sink); }

void LogDispatcher::RemoveSink(LogSink* sink) {
    auto found = std::find(sinks.begin(), sinks.end(), sink);
    if (found != sinks.end())
        sinks.erase(found);
}

void LogDispatcher::Write(LogLevel level, const std::string& text) {
    if (level > threshold)
        return;
    Engine* engine = GetEngine();
    TimeSource* timeSource = engine ? engine->GetTimeSource() : nullptr;
    double now = timeSource ? timeSource->Now() : 0.0;

    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%.02f\t%s\t", now, LogLevelName(level));
    std::string line = prefix + text + "\n";
    for (LogSink* sink : sinks)
        sink->Write(level, line);
}
