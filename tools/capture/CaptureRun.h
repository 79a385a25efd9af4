#pragma once

struct CaptureOptions;

// Starts the production in a window of the capture's size, waits out the
// precalculation and writes the frames (and the sound and video) the options
// ask for. Exit code 0 when every frame was written.
int RunCapture(const CaptureOptions& options);
