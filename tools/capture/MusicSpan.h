#pragma once

#include <string>

class MemoryStream;

// Decodes the span [from, to) seconds of an OGG Vorbis track into a 16-bit
// PCM WAVE file at the track's own rate and channels, padded with silence
// past the track's end so that it lasts as long as the frames it goes with.
bool WriteMusicSpan(const MemoryStream& encoded, double from, double to, const std::string& wavPath,
                    std::string& error);
