#pragma once

#include "engine/core/PrecalcProgress.h"
#include "engine/files/FileSystem.h"
#include "engine/render/Display.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/TextureManager.h"
#include "tests/unit/FakeGL.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <string>
#include <vector>

// A progress reporter that notes what a precalc reports.
class RecordingProgress : public PrecalcProgress {
public:
    bool IsStopRequested() override { return false; }
    void Step() override { ++steps; }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    int steps = 0;
    std::vector<std::string> statuses;
};

// The engine a scene runs in, over the recording GL fakes: the content tree
// of the source directory, a display without a window and the managers.
class SceneTestBed {
public:
    explicit SceneTestBed(const std::string& directory = ZP_SOURCE_DIR) : workingDirectory(directory) {
        engine.fileSystem = &fileSystem;
        engine.display = &display;
        engine.textureManager = &textures;
        engine.shaderManager = &shaders;
        engine.shaderProgramManager = &programs;
    }
    ~SceneTestBed() {
        programs.DestroyAll();
        shaders.DestroyAll();
        textures.DestroyAll();
    }
    SceneTestBed(const SceneTestBed&) = delete;
    SceneTestBed& operator=(const SceneTestBed&) = delete;

    bool Logged(const std::string& text, LogLevel level) const {
        std::vector<std::string> texts = engine.sink.Texts();
        for (size_t i = 0; i < texts.size(); ++i) {
            if (texts[i] == text && engine.sink.levels[i] == level)
                return true;
        }
        return false;
    }

    FakeGLScope fake;
    WorkingDirectoryScope workingDirectory;
    TestEngine engine;
    FileSystem fileSystem;
    Display display;
    TextureManager textures;
    ShaderManager shaders;
    ShaderProgramManager programs;
};
