#pragma once

#include <string>

// Pieces of the ffmpeg command lines the capture runs.

// The text quoted for the shell that runs the command.
std::string ShellQuoted(const std::string& text);

// What every capture video is: H.264 in yuv420p, the sound as AAC, in a file
// that starts playing before it has all arrived; as long as the shorter of
// picture and sound. The output file follows.
std::string VideoEncodeArguments();
