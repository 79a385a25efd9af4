#pragma once

class Demo;
struct AppSettings;

// Runs the demo through the engine's lifecycle. Exit code 0 when the show
// ran (or was quit early), 1 when start-up or the precalculation failed.
int RunDemo(Demo& demo, AppSettings& settings);
