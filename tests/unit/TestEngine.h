#pragma once

#include "engine/core/Engine.h"
#include "engine/core/LogDispatcher.h"
#include "engine/core/TimeSource.h"

#include <string>
#include <vector>

// Keeps every line the log hands it.
class CapturingLogSink : public LogSink {
public:
    bool Open() override { return true; }
    void Close() override {}
    void Write(LogLevel level, const std::string& line) override {
        levels.push_back(level);
        lines.push_back(line);
    }
    // The message texts, without the time and level prefix and line break.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const std::string& line : lines) {
            size_t start = line.find('\t', line.find('\t') + 1) + 1;
            texts.push_back(line.substr(start, line.size() - start - 1));
        }
        return texts;
    }
    std::vector<LogLevel> levels;
    std::vector<std::string> lines;
};

// A time source the test sets by hand.
class ManualTimeSource : public TimeSource {
public:
    void Reset() override { now = 0.0; }
    double Now() override { return now; }
    double now = 0.0;
};

// An engine with a log, a capturing sink and a manual time source, installed
// as the global engine for the lifetime of the object.
class TestEngine : public Engine {
public:
    TestEngine() {
        log.AddSink(&sink);
        SetEngine(this);
    }
    ~TestEngine() override { SetEngine(nullptr); }

    TimeSource* GetTimeSource() override { return &time; }
    Log* GetLog() override { return &log; }
    LibraryCache* GetLibraryCache() override { return libraryCache; }
    FileSystem* GetFileSystem() override { return fileSystem; }
    Display* GetDisplay() override { return display; }
    TextureManager* GetTextureManager() override { return textureManager; }
    ShaderManager* GetShaderManager() override { return shaderManager; }
    ShaderProgramManager* GetShaderProgramManager() override { return shaderProgramManager; }

    ManualTimeSource time;
    LogDispatcher log;
    CapturingLogSink sink;
    LibraryCache* libraryCache = nullptr;
    FileSystem* fileSystem = nullptr;
    Display* display = nullptr;
    TextureManager* textureManager = nullptr;
    ShaderManager* shaderManager = nullptr;
    ShaderProgramManager* shaderProgramManager = nullptr;
};
