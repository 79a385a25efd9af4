#pragma once

#include "engine/platform/CommandPipe.h"
#include "tools/shared/PngFile.h"

#include <cstdint>
#include <string>

// Frames sent to ffmpeg as they are drawn, raw RGB on its standard input,
// and encoded with a sound track written before into one video: no picture
// files on the way.
class VideoPipe {
public:
    VideoPipe() = default;
    ~VideoPipe();
    VideoPipe(const VideoPipe&) = delete;
    VideoPipe& operator=(const VideoPipe&) = delete;

    // False, having said why on standard error, when ffmpeg cannot start.
    bool Open(int32_t width, int32_t height, int32_t framesPerSecond, const std::string& wavPath,
              const std::string& videoFile);
    bool Write(const RgbPicture& picture);
    // Ends the frames and waits for ffmpeg; true when the video is made.
    bool Close();

private:
    platform::CommandPipeHandle pipe = nullptr;
    std::string videoFile;
};
