#include "tests/fuzz/FuzzTarget.h"

#include "engine/audio/MusicPlayer.h"
#include "engine/files/MemoryStream.h"
#include "tests/unit/FakeSoundDevice.h"
#include "tests/unit/OggPages.h"

#include <memory>
#include <vector>

namespace {

// The input starts with the number of fills and a schedule of requests, then
// the Ogg stream.
constexpr size_t kControlBytes = 8;
constexpr int kMaxFills = 300;

// What the player is asked before each fill, by schedule byte: below 0xB0
// nothing, then pause or resume, then seeks to a time from just before the
// start to far past the end.
constexpr uint8_t kFirstToggle = 0xB0;
constexpr uint8_t kFirstSeek = 0xC0;

double SeekTime(uint8_t code) {
    if (code == 0xFF)
        return 1e12;
    if (code == 0xFE)
        return -1.0;
    return (code - kFirstSeek) * 0.37;
}

}

ZP_FUZZ_TARGET(music) {
    if (size < kControlBytes)
        return 0;
    // Short runs are cheap and reach the same code: let the input choose.
    const int fills = 1 + data[0] * kMaxFills / 256;
    const uint8_t* schedule = data + 1;
    const size_t scheduleBytes = kControlBytes - 1;
    std::vector<uint8_t> ogg(data + kControlBytes, data + size);
    // Otherwise nearly every mutation ends at a page checksum.
    oggpages::RepairChecksums(ogg);
    MemoryStream encoded;
    encoded.Write(ogg.data(), static_cast<uint32_t>(ogg.size()));

    FakeSoundLog log;
    auto device = std::make_unique<FakeSoundDevice>(&log);
    FakeSoundDevice* fake = device.get();
    MusicPlayer player;
    if (!player.UseDevice(std::move(device), nullptr) || !player.Open(encoded))
        return 0;
    FakeSoundBuffer* buffer = fake->lastBuffer;
    player.Play();
    for (int fill = 0; fill < fills; ++fill) {
        const uint8_t code = schedule[fill % scheduleBytes];
        if (code >= kFirstSeek)
            player.Seek(SeekTime(code));
        else if (code >= kFirstToggle && player.IsPlaying())
            player.Pause();
        else if (code >= kFirstToggle)
            player.Resume();
        // One half further on each call: every Update refills one second.
        buffer->cursor = buffer->cursor < MusicPlayer::kHalfBytes ? MusicPlayer::kHalfBytes : 0;
        player.Update();
    }
    return 0;
}
