#include "tools/bench/RefillCost.h"

#include "engine/audio/MusicPlayer.h"
#include "engine/files/MemoryStream.h"
#include "tools/bench/CpuTime.h"
#include "tools/bench/ManualSoundDevice.h"

bool MeasureRefillCost(const std::string& path, int refills, double& milliseconds, std::string& error) {
    MemoryStream encoded;
    if (!encoded.LoadFromFile(path)) {
        error = "cannot read '" + path + "'";
        return false;
    }
    ManualSoundBuffer* buffer = nullptr;
    MusicPlayer player;
    if (!player.UseDevice(std::make_unique<ManualSoundDevice>(&buffer), nullptr) || !player.Open(encoded) ||
        !buffer) {
        error = "'" + path + "' is not a track the music player plays";
        return false;
    }
    double seconds = 0.0;
    uint32_t half = 0;
    for (int refill = 0; refill < refills; ++refill, half = 1 - half) {
        // The cursor enters the other half: the one it left is refilled.
        buffer->MoveCursor((1 - half) * MusicPlayer::kHalfBytes);
        const double before = ThreadCpuSeconds();
        player.Update();
        seconds += ThreadCpuSeconds() - before;
        if (player.HasDecoderFailed()) {
            error = "the decoder failed on '" + path + "'";
            return false;
        }
    }
    milliseconds = seconds * 1000.0 / refills;
    return true;
}
