#include "tools/capture/VideoMux.h"

#include "tools/capture/FfmpegCommand.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

const char* const kFrameList = "frames.ffconcat";

// ffmpeg's concat list: every frame for one step.
bool WriteFrameList(const std::string& path, const std::vector<std::string>& frames, int framesPerSecond) {
    std::ofstream list(path);
    list << "ffconcat version 1.0\n";
    for (const std::string& frame : frames)
        list << "file " << frame << "\nduration " << 1.0 / framesPerSecond << "\n";
    return static_cast<bool>(list.flush());
}

}

bool MuxVideo(const std::string& directory, const std::vector<std::string>& frames, int framesPerSecond,
              const std::string& wavName, const std::string& videoFile) {
    const std::string listPath = directory + "/" + kFrameList;
    if (!WriteFrameList(listPath, frames, framesPerSecond)) {
        std::fprintf(stderr, "zpcapture: cannot write '%s'\n", listPath.c_str());
        return false;
    }
    const std::string rate = std::to_string(framesPerSecond);
    const std::string command = "ffmpeg -hide_banner -loglevel error -y -f concat -safe 0 -i " +
                                ShellQuoted(listPath) + " -i " + ShellQuoted(directory + "/" + wavName) + " -r " +
                                rate + VideoEncodeArguments() + ShellQuoted(videoFile);
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "zpcapture: ffmpeg could not make '%s' (is ffmpeg installed?)\n", videoFile.c_str());
        return false;
    }
    return true;
}
