#pragma once

#include "demo/web/WebOptions.h"

// Draws the frame at the capture time as the offline capture does (every
// 1/60 s from the start undrawn, then that time), with no sound, and hands
// it to the page. Exit code 0 when the frame was handed over.
int RunWebCapture(const WebOptions& options);
