#include "tools/capture/MusicSpan.h"

#include "engine/audio/FirstVorbisStream.h"
#include "engine/audio/MemoryStreamCallbacks.h"
#include "engine/audio/MusicPlayer.h"
#include "engine/files/MemoryStream.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int index = 0; index < bytes; ++index)
        out.push_back(static_cast<uint8_t>(value >> (8 * index)));
}

std::vector<uint8_t> WaveHeader(uint32_t rate, uint32_t channels, uint32_t dataBytes) {
    std::vector<uint8_t> header;
    const auto text = [&header](const char* four) { header.insert(header.end(), four, four + 4); };
    text("RIFF");
    PutLittleEndian(header, 36 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    PutLittleEndian(header, 16, 4);
    PutLittleEndian(header, 1, 2);  // integer PCM
    PutLittleEndian(header, channels, 2);
    PutLittleEndian(header, rate, 4);
    PutLittleEndian(header, rate * channels * 2, 4);
    PutLittleEndian(header, channels * 2, 2);
    PutLittleEndian(header, 16, 2);
    text("data");
    PutLittleEndian(header, dataBytes, 4);
    return header;
}

// Reads until the samples are full or the track ends; the rest stays silent.
bool DecodeInto(OggVorbis_File& decoder, std::vector<uint8_t>& samples) {
    size_t filled = 0;
    int section = 0;
    while (filled < samples.size()) {
        const int ask = static_cast<int>(std::min<size_t>(samples.size() - filled, 1 << 16));
        const long got = ov_read(&decoder, reinterpret_cast<char*>(samples.data() + filled), ask, 0, 2, 1, &section);
        if (got == OV_HOLE)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += static_cast<size_t>(got);
    }
    return true;
}

}

bool WriteMusicSpan(const MemoryStream& encoded, double from, double to, const std::string& wavPath,
                    std::string& error) {
    // The same clean copy of the first Vorbis stream that the player decodes.
    MemoryStream source(encoded);
    if (!KeepFirstVorbisStream(source)) {
        error = "the music holds no OGG Vorbis stream";
        return false;
    }
    OggVorbis_File decoder{};
    if (ov_open_callbacks(&source, &decoder, nullptr, 0, kMemoryStreamCallbacks) != 0) {
        error = "the music is not an OGG Vorbis stream";
        return false;
    }
    const vorbis_info* info = ov_info(&decoder, -1);
    if (!info || !MusicPlayer::IsPlayableFormat(info->channels, info->rate)) {
        ov_clear(&decoder);
        error = "the music's format is not one the show plays";
        return false;
    }
    const uint32_t rate = static_cast<uint32_t>(info->rate);
    const uint32_t channels = static_cast<uint32_t>(info->channels);
    const int64_t first = std::llround(from * rate);
    const int64_t frames = std::max<int64_t>(0, std::llround(to * rate) - first);
    std::vector<uint8_t> samples(static_cast<size_t>(frames) * channels * 2, 0);
    const bool pastEnd = first >= ov_pcm_total(&decoder, -1);
    const bool decoded = pastEnd || (ov_pcm_seek(&decoder, first) == 0 && DecodeInto(decoder, samples));
    ov_clear(&decoder);
    if (!decoded) {
        error = "the music does not decode";
        return false;
    }
    std::ofstream out(wavPath, std::ios::binary);
    const std::vector<uint8_t> header = WaveHeader(rate, channels, static_cast<uint32_t>(samples.size()));
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size()));
    if (!out.flush()) {
        error = "cannot write '" + wavPath + "'";
        return false;
    }
    return true;
}
