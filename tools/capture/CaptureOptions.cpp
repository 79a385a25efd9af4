#include "tools/capture/CaptureOptions.h"

#include "tools/shared/CommandLineValues.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iterator>

const char* const kCaptureUsage =
    "usage: zpcapture --out DIR [--size WxH] [--fps N] (--at T1,T2,... | --from T0 --to T1 | --all)\n"
    "                 [--video FILE [--pipe]] [--stats]\n"
    "Renders the show at a fixed step into DIR/tNNNNNNN.png (the time in milliseconds).\n"
    "A span or the whole show also writes DIR/music.wav, and --video muxes both with ffmpeg.\n"
    "--pipe sends the frames of the video to ffmpeg as they are drawn, and writes no PNG files.\n"
    "--stats prints, as key=value lines, every frame's CPU time (update, build, submission), its GPU\n"
    "time (scene, glow, final pass; n/a without timer queries) and its GL calls, then a summary per\n"
    "scene and the GPU memory the engine allocated.\n";

namespace {

constexpr int32_t kMaxFramesPerSecond = 1000;

bool ParseTimeList(const std::string& text, std::vector<double>& times) {
    size_t begin = 0;
    for (;;) {
        size_t comma = text.find(',', begin);
        double seconds = 0.0;
        if (!ParseTime(text.substr(begin, comma - begin), seconds))
            return false;
        times.push_back(seconds);
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return true;
}

struct Seen {
    bool at = false;
    bool from = false;
    bool to = false;
    bool all = false;
};

bool ReadOption(const std::string& name, const std::string& value, CaptureOptions& options, Seen& seen,
                std::string& error) {
    bool valid = true;
    if (name == "--out") {
        options.outDirectory = value;
        valid = !value.empty();
    } else if (name == "--size") {
        valid = ParseSize(value, options.width, options.height);
    } else if (name == "--fps") {
        valid = ParseCount(value, 1, kMaxFramesPerSecond, options.framesPerSecond);
    } else if (name == "--at") {
        seen.at = valid = ParseTimeList(value, options.times);
    } else if (name == "--from") {
        seen.from = valid = ParseTime(value, options.from);
    } else if (name == "--to") {
        seen.to = valid = ParseTime(value, options.to);
    } else if (name == "--video") {
        options.videoFile = value;
        valid = !value.empty();
    }
    if (!valid)
        error = "bad value '" + value + "' for " + name;
    return valid;
}

bool TakesValue(const std::string& name) {
    static const char* const kValueOptions[] = {"--out", "--size", "--fps", "--at", "--from", "--to", "--video"};
    return std::find(std::begin(kValueOptions), std::end(kValueOptions), name) != std::end(kValueOptions);
}

bool ChooseMode(const Seen& seen, CaptureOptions& options, std::string& error) {
    const int modes = int(seen.at) + int(seen.from || seen.to) + int(seen.all);
    if (modes != 1) {
        error = "give exactly one of --at, --from/--to and --all";
        return false;
    }
    if (seen.all) {
        options.mode = CaptureOptions::Mode::WholeShow;
    } else if (seen.at) {
        options.mode = CaptureOptions::Mode::Times;
    } else if (!seen.from || !seen.to || options.to < options.from) {
        error = "--from and --to go together, with --to not before --from";
        return false;
    } else {
        options.mode = CaptureOptions::Mode::Span;
    }
    if (options.mode == CaptureOptions::Mode::Times && !options.videoFile.empty()) {
        error = "--video needs a span (--from/--to) or --all";
        return false;
    }
    if (options.pipeFrames && options.videoFile.empty()) {
        error = "--pipe needs --video";
        return false;
    }
    return true;
}

}

bool ParseCaptureOptions(const std::vector<std::string>& arguments, CaptureOptions& options, std::string& error) {
    Seen seen;
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& name = arguments[index];
        if (name == "--all") {
            seen.all = true;
        } else if (name == "--stats") {
            options.printStats = true;
        } else if (name == "--pipe") {
            options.pipeFrames = true;
        } else if (!TakesValue(name)) {
            error = "unknown option '" + name + "'";
            return false;
        } else if (index + 1 >= arguments.size()) {
            error = "missing value for " + name;
            return false;
        } else if (!ReadOption(name, arguments[++index], options, seen, error)) {
            return false;
        }
    }
    if (options.outDirectory.empty()) {
        error = "missing --out DIR";
        return false;
    }
    return ChooseMode(seen, options, error);
}
