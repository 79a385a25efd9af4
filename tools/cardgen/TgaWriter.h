#pragma once

#include <cstdint>
#include <vector>

// An uncompressed 24-bit true-colour TGA (type 2), bottom row stored first,
// from RGB bytes whose rows run top down.
std::vector<uint8_t> EncodeTga(const std::vector<uint8_t>& rgb, int width, int height);
