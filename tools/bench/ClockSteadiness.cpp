#include "tools/bench/ClockSteadiness.h"

#include "engine/audio/MusicPlayer.h"
#include "engine/files/MemoryStream.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The first frames go by while the driver's thread settles in.
constexpr double kSettleSeconds = 0.2;
constexpr int kFramesPerSecond = 60;

}

bool MeasureClockSteadiness(const std::string& path, const std::string& diskFile, double seconds,
                            ClockFigures& figures, std::string& error) {
    MemoryStream encoded;
    if (!encoded.LoadFromFile(path)) {
        error = "cannot read '" + path + "'";
        return false;
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
    MusicPlayer player;
    if (!player.CreateDevice(nullptr) || !player.Open(encoded)) {
        error = "SDL's disk audio driver does not play '" + path + "'";
        return false;
    }
    std::vector<double> frameMinusWall;
    std::vector<double> wallMinusTick;
    const Clock::time_point start = Clock::now();
    player.Play();
    double lastWall = 0.0;
    double lastPosition = 0.0;
    const int frames = static_cast<int>(seconds * kFramesPerSecond);
    for (int frame = 1; frame <= frames; ++frame) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(frame * 1000000LL / kFramesPerSecond));
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        player.Update();
        const double position = player.GetPosition();
        if (lastWall >= kSettleSeconds) {
            frameMinusWall.push_back((position - lastPosition) - (wall - lastWall));
            wallMinusTick.push_back((wall - lastWall) - 1.0 / kFramesPerSecond);
        }
        lastWall = wall;
        lastPosition = position;
    }
    figures.frameMinusWall = Summarize(frameMinusWall);
    figures.wallMinusTick = Summarize(wallMinusTick);
    figures.frames = static_cast<int>(frameMinusWall.size());
    return true;
}
