#pragma once

#include <string>

using LogLevel = int;

enum : LogLevel {
    LOG_ERROR = 1,
    LOG_WARNING = 2,
    LOG_SYSTEM = 3,
    LOG_INFO = 4,
    LOG_DEBUG = 5,
};

// The name a level carries in a log line; "?????" for levels outside 1..5.
const char* LogLevelName(LogLevel level);

class LogSink {
public:
    virtual ~LogSink() = default;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual void Write(LogLevel level, const std::string& line) = 0;
};

class Log {
public:
    virtual ~Log() = default;
    virtual LogLevel GetLevel() const = 0;
    virtual void SetLevel(LogLevel level) = 0;
    virtual void AddSink(LogSink* sink) = 0;
    virtual void RemoveSink(LogSink* sink) = 0;
    virtual void Write(LogLevel level, const std::string& text) = 0;
};
