#include "tools/musicgen/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void Put16(std::vector<unsigned char>& out, uint32_t value)
{
    out.push_back(static_cast<unsigned char>(value & 0xff));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xff));
}

void Put32(std::vector<unsigned char>& out, uint32_t value)
{
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

void PutTag(std::vector<unsigned char>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

uint32_t ToPcm16(float sample)
{
    float scaled = std::round(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    return static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(scaled)));
}

}

std::vector<unsigned char> WavWriter::Encode(const StereoBuffer& buffer, int sampleRate)
{
    const uint32_t channels = 2, bytesPerSample = 2;
    uint32_t dataBytes = static_cast<uint32_t>(buffer.Frames()) * channels * bytesPerSample;
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, channels);
    Put32(out, static_cast<uint32_t>(sampleRate));
    Put32(out, static_cast<uint32_t>(sampleRate) * channels * bytesPerSample);
    Put16(out, channels * bytesPerSample);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        Put16(out, ToPcm16(buffer.left[i]));
        Put16(out, ToPcm16(buffer.right[i]));
    }
    return out;
}
