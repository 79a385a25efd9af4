#include "demo/RunDemo.h"

#include "demo/Demo.h"
#include "engine/core/EntryPoint.h"

int RunDemo(Demo& demo, AppSettings& settings) {
    int exitCode = RunApplication(demo, settings);
    // A show that ended because its precalculation failed never played.
    if (exitCode == 0 && demo.PrecalcFailed())
        exitCode = 1;
    return exitCode;
}
