#pragma once

#include "tools/shared/PngFile.h"

#include <string>

// The menu icon of the installed show: the first letter of the title card,
// glowing on black, alone in a square around it.
constexpr int kIconSize = 128;

// A channel at least this bright belongs to a letter's stroke rather than to
// its glow.
constexpr int kStrokeLevel = 128;

// The icon cut from the card and scaled to size x size; false with the reason
// when the card holds no bright stroke.
bool MakeTitleIcon(const RgbPicture& card, int size, RgbPicture& icon, std::string& error);
