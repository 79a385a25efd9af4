#include "demo/Demo.h"
#include "demo/RunDemo.h"
#include "engine/core/AppSettings.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/EntryPoint.h"
#include "engine/platform/ProcessEntry.h"
#include "engine/platform/SingleInstance.h"

int ProgramMain(const char* commandLine) {
    CommandLineMode mode = ParseCommandLine(commandLine);
    if (mode == CommandLineMode::BuildPak)
        return RunPakBuilder();
    if (!platform::AcquireSingleInstance(kInstanceGuardName))
        return 0;
    Srand(Demo::kRandomSeed);

    AppSettings settings;
    settings.writeLog = mode == CommandLineMode::DemoWithLog;
    Demo demo;
    return RunDemo(demo, settings);
}
