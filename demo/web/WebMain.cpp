// The program in a page: the page starts it with the words of its query
// (see WebOptions) once the pak lies beside it, and may start it again.
#include "demo/Demo.h"
#include "demo/RunDemo.h"
#include "demo/web/WebCapture.h"
#include "demo/web/WebOptions.h"
#include "demo/web/WebShow.h"
#include "engine/core/AppSettings.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/EntryPoint.h"
#include "engine/platform/web/WebPage.h"

namespace {

int RunShow(const WebOptions& options, bool& reachedEnd) {
    AppSettings settings;
    // The page scales the canvas to the window; the browser owns full screen.
    settings.fullscreen = false;
    settings.requirePak = true;
    settings.writeLog = options.writeLog;
    settings.logPath = "/dev/stdout";
    WebShow show;
    const int exitCode = RunDemo(show, settings);
    reachedEnd = show.ReachedEnd();
    return exitCode;
}

}

int ProgramMain(const char* commandLine) {
    const WebOptions options = ParseWebOptions(commandLine);
    int exitCode = 1;
    bool reachedEnd = false;
    if (!options.error.empty()) {
        platform::ShowPageError(options.error.c_str());
    } else {
        Srand(Demo::kRandomSeed);
        exitCode = options.capture ? RunWebCapture(options) : RunShow(options, reachedEnd);
    }
    platform::ReportShowEnded(exitCode, reachedEnd);
    return exitCode;
}
