#pragma once

#include "engine/core/DemoTime.h"
#include "engine/core/Engine.h"

#include <memory>
#include <string>

struct AppSettings;
class Clock;
class FileLogSink;
class FpsCounter;
class FrameTimer;
class PakArchive;


// The engine's base class: creates the services in a fixed order, runs the
// main loop through the derived class's hooks and tears everything down
// again. Every teardown step tolerates parts that were never created.
class Application : public Engine {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    TimeSource* GetTimeSource() override { return timeSource.get(); }
    Log* GetLog() override { return log.get(); }
    LibraryCache* GetLibraryCache() override { return libraryCache.get(); }
    FileSystem* GetFileSystem() override { return fileSystem.get(); }
    Display* GetDisplay() override { return display.get(); }
    TextureManager* GetTextureManager() override { return textureManager.get(); }
    ShaderManager* GetShaderManager() override { return shaderManager.get(); }
    ShaderProgramManager* GetShaderProgramManager() override { return shaderProgramManager.get(); }

    virtual void GetTitle(std::string& title) = 0;
    virtual bool OnInit() = 0;
    virtual void OnShutdown() = 0;
    virtual void Update() = 0;
    virtual const DemoTime& GetTime() const = 0;
    virtual bool Frame() = 0;

    bool Init(AppSettings* appSettings);
    bool Run();
    // Tears the derived part down and sets it up again on the same services,
    // for tools that rebuild what no reload reaches. The resource managers
    // drop everything in between, so nothing the old part held is reused.
    // False when the new set-up failed; Restart may be tried again.
    bool Restart();
    void ShutdownDisplay();
    void ShutdownCore();

    // The engine clock, advanced by the frame timer at the top of every frame.
    const Clock* GetClock() const { return clock.get(); }

    const AppSettings* GetSettings() const { return settings; }
    AppSettings* GetSettings() { return settings; }

private:
    void InitLog();
    bool InitFileSystem();
    void InitTimers();
    bool OpenDisplay();
    void DropResources();
    void UpdateTitle(const std::string& title);

    bool initialized = false;
    AppSettings* settings = nullptr;  // not owned
    std::unique_ptr<TimeSource> timeSource;
    std::unique_ptr<Log> log;
    std::unique_ptr<FileLogSink> fileSink;
    std::unique_ptr<LibraryCache> libraryCache;
    std::unique_ptr<FrameTimer> frameTimer;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<FpsCounter> fpsCounter;
    std::unique_ptr<FileSystem> fileSystem;
    std::unique_ptr<PakArchive> pak;
    std::unique_ptr<Display> display;
    std::unique_ptr<TextureManager> textureManager;
    std::unique_ptr<ShaderManager> shaderManager;
    std::unique_ptr<ShaderProgramManager> shaderProgramManager;
};
