#include "tools/capture/VideoPipe.h"

#include "tools/capture/FfmpegCommand.h"

#include <cstdio>

VideoPipe::~VideoPipe() {
    if (pipe)
        platform::CloseCommandPipe(pipe);
}

bool VideoPipe::Open(int32_t width, int32_t height, int32_t framesPerSecond, const std::string& wavPath,
                     const std::string& video) {
    videoFile = video;
    const std::string command = "ffmpeg -hide_banner -loglevel error -y -f rawvideo -pix_fmt rgb24 -s " +
                                std::to_string(width) + "x" + std::to_string(height) + " -framerate " +
                                std::to_string(framesPerSecond) + " -i - -i " + ShellQuoted(wavPath) +
                                VideoEncodeArguments() + ShellQuoted(videoFile);
    pipe = platform::OpenCommandPipe(command.c_str());
    if (!pipe)
        std::fprintf(stderr, "zpcapture: cannot start ffmpeg for '%s'\n", videoFile.c_str());
    return pipe != nullptr;
}

bool VideoPipe::Write(const RgbPicture& picture) {
    if (platform::WriteCommandPipe(pipe, picture.rgb.data(), picture.rgb.size()))
        return true;
    std::fprintf(stderr, "zpcapture: ffmpeg stopped taking frames for '%s'\n", videoFile.c_str());
    return false;
}

bool VideoPipe::Close() {
    const bool made = platform::CloseCommandPipe(pipe);
    pipe = nullptr;
    if (!made)
        std::fprintf(stderr, "zpcapture: ffmpeg could not make '%s' (is ffmpeg installed?)\n", videoFile.c_str());
    return made;
}
