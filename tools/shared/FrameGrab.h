#pragma once

#include "tools/shared/PngFile.h"

// Reads the finished frame from the back buffer, top row first.
void GrabFrame(int32_t width, int32_t height, RgbPicture& picture);
