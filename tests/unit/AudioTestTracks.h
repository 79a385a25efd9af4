#pragma once

// Real OGG Vorbis tracks for the audio tests: encoded at test time with the
// command-line encoder from PCM the test synthesises, and decoded with the
// command-line decoder as the reference the player must reproduce exactly.

#include "engine/files/MemoryStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline bool HaveCommand(const char* name) {
    std::string probe = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
}

inline bool HaveVorbisTools() { return HaveCommand("oggenc") && HaveCommand("oggdec"); }

// The scratch directory of this test process, removed when the tests end.
inline std::filesystem::path AudioScratchDirectory() {
    return std::filesystem::temp_directory_path() / ("zpdemo-audio-" + std::to_string(::getpid()));
}

class AudioScratchCleanup : public ::testing::Environment {
public:
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(AudioScratchDirectory(), ignored);
    }
};

inline ::testing::Environment* const kAudioScratchCleanup =
    ::testing::AddGlobalTestEnvironment(new AudioScratchCleanup);

inline std::string AudioScratchPath(const std::string& name) {
    std::filesystem::create_directories(AudioScratchDirectory());
    return (AudioScratchDirectory() / name).string();
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

inline Bytes Joined(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

inline MemoryStream StreamOf(const Bytes& bytes) {
    MemoryStream stream;
    stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return stream;
}

// Chords that glide, over a little noise; loud from the first sample, so that
// silence before it in a device's output is easy to tell apart.
inline Bytes SynthesizePcm(uint32_t rate, uint16_t channels, double seconds) {
    const double pi = 3.14159265358979323846;
    uint32_t frames = static_cast<uint32_t>(seconds * rate);
    uint32_t noise = 12345;
    Bytes pcm;
    pcm.reserve(static_cast<size_t>(frames) * channels * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / rate;
        for (uint16_t c = 0; c < channels; ++c) {
            noise = noise * 1103515245u + 12345u;
            double hiss = (static_cast<double>((noise >> 16) & 0x7FFF) / 32768.0 - 0.5) * 0.04;
            double base = 220.0 * (c + 2) * (1.0 + 0.02 * t);
            double value = 0.45 * std::cos(2 * pi * base * t) + 0.2 * std::sin(2 * pi * base * 1.5 * t) + hiss;
            int16_t sample = static_cast<int16_t>(std::lround(value * 32767.0));
            pcm.push_back(static_cast<uint8_t>(sample & 0xFF));
            pcm.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
        }
    }
    return pcm;
}

// Encodes 16-bit little-endian PCM into an OGG Vorbis file.
inline bool EncodeTrack(const Bytes& pcm, uint32_t rate, uint16_t channels, const std::string& oggPath) {
    std::string rawPath = oggPath + ".raw";
    if (!WriteBytes(rawPath, pcm))
        return false;
    std::string command = "oggenc -Q -r -B 16 -R " + std::to_string(rate) + " -C " + std::to_string(channels) +
                          " -q 4 -o '" + oggPath + "' '" + rawPath + "'";
    return std::system(command.c_str()) == 0;
}

// The reference decoding: 16-bit signed little-endian interleaved samples.
inline bool DecodeWithOggdec(const std::string& oggPath, Bytes* pcm) {
    std::string rawPath = AudioScratchPath(std::filesystem::path(oggPath).filename().string() + ".oggdec.raw");
    std::string command = "oggdec -Q -R -o '" + rawPath + "' '" + oggPath + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return false;
    *pcm = ReadBytes(rawPath);
    return true;
}

// A track made once per test process and kept in the scratch directory.
inline std::string MadeTrack(const std::string& name, uint32_t rate, uint16_t channels, double seconds) {
    std::string path = AudioScratchPath(name);
    if (!std::filesystem::exists(path) && !EncodeTrack(SynthesizePcm(rate, channels, seconds), rate, channels, path))
        return std::string();
    return path;
}

inline size_t LeadingZeroBytes(const Bytes& bytes, size_t from = 0) {
    size_t i = from;
    while (i < bytes.size() && bytes[i] == 0)
        ++i;
    return i - from;
}

inline bool AllZero(const Bytes& bytes, size_t from, size_t to) {
    for (size_t i = from; i < to && i < bytes.size(); ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}
