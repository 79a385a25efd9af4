#include "tests/fuzz/FuzzTarget.h"

#include "engine/core/Engine.h"
#include "engine/core/Log.h"
#include "engine/files/FileSystem.h"
#include "engine/files/MemoryStream.h"
#include "engine/render/ShaderSource.h"

#include <map>
#include <string>

namespace {

// The files the input is cut into, at its NUL bytes. The first is loaded;
// the others are what its includes may name.
const char* const kFileNames[] = {
    "shaders/main.fs",
    "shaders/common.glsl",
    "shaders/lighting.glsl",
    "shaders/lib/noise.glsl",
};
constexpr size_t kFileCount = sizeof kFileNames / sizeof kFileNames[0];

class MemoryFileSystem : public FileSystem {
public:
    bool Exists(const std::string& path) const override { return files.count(path) != 0; }
    bool ReadFile(const std::string& path, MemoryStream& out) const override {
        auto found = files.find(path);
        if (found == files.end())
            return false;
        out.Write(found->second.data(), static_cast<uint32_t>(found->second.size()));
        return true;
    }
    bool WriteFile(const std::string&, const MemoryStream&) const override { return false; }

    std::map<std::string, std::string> files;
};

// Level 0 lets no message through: errors would otherwise go to standard
// error on every run.
class SilentLog : public Log {
public:
    LogLevel GetLevel() const override { return 0; }
    void SetLevel(LogLevel) override {}
    void AddSink(LogSink*) override {}
    void RemoveSink(LogSink*) override {}
    void Write(LogLevel, const std::string&) override {}
};

class FuzzEngine : public Engine {
public:
    TimeSource* GetTimeSource() override { return nullptr; }
    Log* GetLog() override { return &log; }
    LibraryCache* GetLibraryCache() override { return nullptr; }
    FileSystem* GetFileSystem() override { return &fileSystem; }
    Display* GetDisplay() override { return nullptr; }
    TextureManager* GetTextureManager() override { return nullptr; }
    ShaderManager* GetShaderManager() override { return nullptr; }
    ShaderProgramManager* GetShaderProgramManager() override { return nullptr; }

    SilentLog log;
    MemoryFileSystem fileSystem;
};

}

ZP_FUZZ_TARGET(shader) {
    FuzzEngine engine;
    const std::vector<std::string> parts = SplitAtNul(data, size, kFileCount);
    for (size_t i = 0; i < kFileCount; ++i)
        engine.fileSystem.files[kFileNames[i]] = parts[i];
    SetEngine(&engine);
    std::string text;
    LoadShaderSource(kFileNames[0], text);
    SetEngine(nullptr);
    return 0;
}
