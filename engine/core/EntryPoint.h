#pragma once

#include <string>

class Application;
struct AppSettings;

enum class CommandLineMode {
    Demo,
    DemoWithLog,
    BuildPak,
};

// "writelog" and "buildpak" match only as the whole, exact command line.
CommandLineMode ParseCommandLine(const std::string& commandLine);

// Packs "data" into "zplumenweaver.dat" on a console. Exit code 0 when the
// archive was written, 1 when building failed.
int RunPakBuilder();

// Init, Run and the three shutdown steps, whatever Init did. Exit code 0 when
// the main loop ran, 1 when initialisation failed.
int RunApplication(Application& application, AppSettings& settings);
// The three shutdown steps, in order, and the engine pointer cleared.
void ShutdownApplication(Application& application);

// The name of the guard that keeps a second instance from starting.
extern const char* const kInstanceGuardName;
