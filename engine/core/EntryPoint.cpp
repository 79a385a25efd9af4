#include "engine/core/EntryPoint.h"

#include "engine/core/Application.h"
#include "engine/core/Engine.h"
#include "engine/files/PakBuilder.h"
#include "engine/platform/SystemServices.h"

#include <cstdio>

const char* const kInstanceGuardName = "Zephal Demo";

namespace {
const char* const kConsoleTitle = "ZpEngine Debug Output";
}

CommandLineMode ParseCommandLine(const std::string& commandLine) {
    if (commandLine == "writelog")
        return CommandLineMode::DemoWithLog;
    if (commandLine == "buildpak")
        return CommandLineMode::BuildPak;
    return CommandLineMode::Demo;
}

int RunPakBuilder() {
    platform::OpenDebugConsole(kConsoleTitle);
    PakBuildEntries entries;
    bool built = BuildPak(entries, "data", "zplumenweaver.dat");
    if (!built) {
        std::printf("\n");
        platform::PauseForKey();
    }
    platform::CloseDebugConsole();
    entries.clear();
    return built ? 0 : 1;
}

int RunApplication(Application& application, AppSettings& settings) {
    bool ran = application.Init(&settings) && application.Run();
    ShutdownApplication(application);
    return ran ? 0 : 1;
}

void ShutdownApplication(Application& application) {
    application.OnShutdown();
    application.ShutdownDisplay();
    application.ShutdownCore();
    SetEngine(nullptr);
}
