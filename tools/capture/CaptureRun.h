#pragma once

class CaptureDemo;
struct CaptureOptions;

// Shows the progress bar until the worker is done and the show plays; false
// when the precalculation failed or the window was closed.
bool Precalculate(CaptureDemo& demo);

// Starts the production in a window of the capture's size, waits out the
// precalculation and writes the frames (and the sound and video) the options
// ask for. Exit code 0 when every frame was written.
int RunCapture(const CaptureOptions& options);
