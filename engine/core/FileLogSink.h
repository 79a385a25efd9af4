#pragma once

#include "engine/core/Log.h"

#include <cstdio>
#include <string>

// Writes the log to a text file, flushed after every line so that the file is
// complete up to the last message even when the process dies.
class FileLogSink : public LogSink {
public:
    // Leaves the file to its owner, who closes it first.
    ~FileLogSink() override = default;

    void SetPath(const std::string& newPath) { path = newPath; }
    const std::string& GetPath() const { return path; }
    bool IsOpen() const { return file != nullptr; }

    bool Open() override;
    void Close() override;
    void Write(LogLevel level, const std::string& line) override;

private:
    std::string path;
    std::FILE* file = nullptr;
};
