#pragma once

#include "tools/shared/PngFile.h"

#include <string>

// Reads the finished frame from the back buffer, top row first.
void GrabFrame(int32_t width, int32_t height, RgbPicture& picture);

// "t0002500.png" for 2.5 s: the time in whole milliseconds, seven digits.
std::string FrameFileName(double seconds);
