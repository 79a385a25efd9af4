#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The opening's three title cards, square images drawn additively across the
// whole screen width: black shows nothing, and at 4:3 only the top three
// quarters are on screen, so everything lies there.
constexpr int kCardSize = 1024;

// "data/textures/..." paths of the cards, in the order title, presents, event.
const std::vector<std::string>& TitleCardPaths();

// The card stored under path as RGB bytes, rows top down; false when the
// path names no card or its fonts cannot be read.
bool RenderTitleCard(const std::string& path, std::vector<uint8_t>& rgb);
