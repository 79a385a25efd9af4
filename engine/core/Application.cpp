#include "engine/core/Application.h"

#include "engine/core/AppSettings.h"
#include "engine/core/Clock.h"
#include "engine/core/FactoryRegistry.h"
#include "engine/core/FileLogSink.h"
#include "engine/core/FpsCounter.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LibraryCache.h"
#include "engine/core/LogDispatcher.h"
#include "engine/core/Message.h"
#include "engine/core/OSDescription.h"
#include "engine/core/TimeSource.h"
#include "engine/files/FileSystem.h"
#include "engine/files/PakArchive.h"
#include "engine/platform/SystemServices.h"
#include "engine/render/Display.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/TextureManager.h"

#include <cstdio>
#include <vector>

namespace {

const char* const kLogFileName = "demo.log";
const char* const kPakFileName = "zplumenweaver.dat";
constexpr double kDefaultFrameDelta = 0.03;

double TimeSourceNow() {
    TimeSource* source = GetEngine() ? GetEngine()->GetTimeSource() : nullptr;
    return source ? source->Now() : 0.0;
}

}

Application::Application() = default;

Application::~Application() = default;

bool Application::Init(AppSettings* appSettings) {
    if (initialized)
        return true;
    settings = appSettings;
    SetEngine(this);

    InitLog();
    if (!InitFileSystem())
        return false;
    InitTimers();
    if (!OpenDisplay())
        return false;
    if (!OnInit())
        return false;
    initialized = true;
    return true;
}

void Application::InitLog() {
    timeSource.reset(FactoryRegistry<TimeSource>::Instance().Create(1));
    log = std::make_unique<LogDispatcher>();
    fileSink = std::make_unique<FileLogSink>();
    if (settings->writeLog) {
        fileSink->SetPath(settings->logPath ? settings->logPath : kLogFileName);
        fileSink->Open();  // a sink that failed to open stays attached and writes nothing
        log->AddSink(fileSink.get());
    }

    if (!timeSource)
        Message(LOG_ERROR, "No time source is registered.");
    const char* description = GetOSDescription();
    Message(LOG_SYSTEM, "Platform: %s", description ? description : "(null)");
    Message(LOG_SYSTEM, "Compiled: %s %s", __DATE__, __TIME__);
    char directory[1024];
    if (platform::CurrentDirectory(directory, sizeof directory))
        Message(LOG_SYSTEM, "Base directory: %s", directory);
}

bool Application::InitFileSystem() {
    Message(LOG_SYSTEM, "Initializing file system...");
    fileSystem = std::make_unique<FileSystem>();
    fileSystem->SetSearchDisk(settings->useDisk);
    fileSystem->SetSearchPak(settings->usePak);

    pak = std::make_unique<PakArchive>();
    if (pak->Open(kPakFileName)) {
        fileSystem->SetPak(pak.get());
        return true;
    }
    Message(LOG_SYSTEM, "Could not load pak file.");
    if (settings->requirePak)
        ErrorBox("Could not load pak file.");
    return !settings->requirePak;
}

void Application::InitTimers() {
    libraryCache = std::make_unique<LibraryCache>();
    frameTimer = std::make_unique<FrameTimer>();
    frameTimer->Reset(kDefaultFrameDelta);
    frameTimer->SetTimeSource(timeSource.get());
    clock = std::make_unique<Clock>(1.0);
    clock->Attach(frameTimer.get());
    fpsCounter = std::make_unique<FpsCounter>(TimeSourceNow());
}

bool Application::OpenDisplay() {
    Message(LOG_SYSTEM, "Opening display...");
    display = std::make_unique<Display>();
    std::vector<DisplayAdapter> adapters;
    display->EnumerateAdapters(adapters);
    if (adapters.empty()) {
        Message(LOG_ERROR, "No display adapters found.");
        return false;
    }
    std::vector<DisplayMode> modes;
    display->EnumerateModes(adapters.front(), modes);
    if (!display->Open(adapters.front(), settings->GetDisplayMode(), settings->vsync)) {
        Message(LOG_ERROR, "Could not open display.");
        return false;
    }
    textureManager = std::make_unique<TextureManager>();
    shaderManager = std::make_unique<ShaderManager>();
    shaderProgramManager = std::make_unique<ShaderProgramManager>();
    return true;
}

bool Application::Run() {
    std::string title;
    GetTitle(title);
    for (;;) {
        frameTimer->Update();
        fpsCounter->CountFrame(TimeSourceNow());
        Update();
        UpdateTitle(title);
        display->BeginFrame();
        if (!Frame())
            break;
        display->EndFrame();
        display->Present();
        if (!display->ProcessMessages())
            break;
    }
    return true;
}

bool Application::Restart() {
    if (!display)
        return false;
    OnShutdown();
    DropResources();
    initialized = OnInit();
    return initialized;
}

// The managers' contents and the render targets, in the order the display's
// shutdown drops them; the managers themselves stay.
void Application::DropResources() {
    if (shaderProgramManager)
        shaderProgramManager->DestroyAll();
    if (shaderManager)
        shaderManager->DestroyAll();
    if (display) {
        display->UnbindShaderProgram();
        display->DestroyAllRenderTargets();
    }
    if (textureManager)
        textureManager->DestroyAll();
}

void Application::UpdateTitle(const std::string& title) {
    char caption[1024];
    std::snprintf(caption, sizeof caption, "%s :: FPS: %d", title.c_str(), static_cast<int>(fpsCounter->GetFps()));
    display->SetTitle(caption);
}

void Application::ShutdownDisplay() {
    // Programs first: they hold references to shaders. Render targets hold
    // their colour textures, so they go before the textures.
    DropResources();
    shaderProgramManager.reset();
    shaderManager.reset();
    textureManager.reset();
    if (display) {
        display->Close();
        display.reset();
    }
}

void Application::ShutdownCore() {
    fpsCounter.reset();
    clock.reset();
    frameTimer.reset();
    libraryCache.reset();
    fileSystem.reset();
    pak.reset();
    if (fileSink) {
        if (log)
            log->RemoveSink(fileSink.get());
        fileSink->Close();
        fileSink.reset();
    }
    log.reset();
    timeSource.reset();
}
