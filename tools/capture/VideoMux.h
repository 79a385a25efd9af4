#pragma once

#include <string>
#include <vector>

// Joins the frames (file names inside the directory, in showing order) and
// the sound track into one video with ffmpeg. False when ffmpeg is missing
// or fails; it has said why on standard error.
bool MuxVideo(const std::string& directory, const std::vector<std::string>& frames, int framesPerSecond,
              const std::string& wavName, const std::string& videoFile);
