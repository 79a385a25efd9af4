#pragma once

#include "engine/files/FileSystem.h"
#include "engine/render/Display.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/TextureManager.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

// True when an X display is there to open windows on.
inline bool HaveDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

inline DisplayMode Windowed(uint32_t width, uint32_t height) {
    DisplayMode mode;
    mode.width = width;
    mode.height = height;
    mode.fullscreen = false;
    mode.colorBits = 32;
    mode.depthBits = 24;
    return mode;
}

// The engine services a real-GL test needs: log, file system, a windowed
// display and the three resource managers, wired into the test engine.
class GLTestBed : public ::testing::Test {
protected:
    // Skips the test without a display; the caller returns when IsSkipped()
    // or HasFatalFailure() says so.
    void OpenDisplay(uint32_t width, uint32_t height) {
        if (!HaveDisplay())
            GTEST_SKIP() << "no display";
        engine.fileSystem = &fileSystem;
        engine.display = &display;
        engine.textureManager = &textures;
        engine.shaderManager = &shaders;
        engine.shaderProgramManager = &programs;
        ASSERT_TRUE(display.Open(DisplayAdapter(), Windowed(width, height), false));
    }

    // The application's display shutdown, in its order.
    void CloseDisplay() {
        programs.DestroyAll();
        shaders.DestroyAll();
        display.UnbindShaderProgram();
        display.DestroyAllRenderTargets();
        textures.DestroyAll();
        display.Close();
    }

    TestEngine engine;
    FileSystem fileSystem;
    Display display;
    TextureManager textures;
    ShaderManager shaders;
    ShaderProgramManager programs;
};
