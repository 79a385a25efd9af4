#include "tools/musicgen/Instrument.h"
#include "tools/musicgen/VorbisDecoder.h"
#include "tools/musicgen/VorbisEncoder.h"
#include "tools/musicgen/WavWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

StereoBuffer TwoTones(size_t frames)
{
    StereoBuffer buffer(frames);
    for (size_t i = 0; i < frames; ++i) {
        buffer.left[i] = 0.3f * static_cast<float>(std::sin(2.0 * 3.141592653589793 * 440.0 * i / kSampleRate));
        buffer.right[i] = 0.3f * static_cast<float>(std::sin(2.0 * 3.141592653589793 * 660.0 * i / kSampleRate));
    }
    return buffer;
}

uint32_t Little32(const std::vector<unsigned char>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

}

TEST(VorbisCodec, RoundTripKeepsFormatLengthAndSignal)
{
    StereoBuffer tones = TwoTones(44100 + 123);
    std::vector<unsigned char> encoded;
    ASSERT_TRUE(VorbisEncoder::Encode(tones, 44100, 0.5f, "test", encoded));
    VorbisDecoder::Stream decoded;
    ASSERT_TRUE(VorbisDecoder::Decode(encoded, decoded));
    EXPECT_EQ(decoded.sampleRate, 44100);
    EXPECT_EQ(decoded.channels, 2);
    ASSERT_EQ(decoded.samples.Frames(), tones.Frames());
    double error = 0.0, signal = 0.0;
    for (size_t i = 0; i < tones.Frames(); ++i) {
        error += std::pow(decoded.samples.left[i] - tones.left[i], 2) + std::pow(decoded.samples.right[i] - tones.right[i], 2);
        signal += std::pow(tones.left[i], 2) + std::pow(tones.right[i], 2);
    }
    EXPECT_LT(10.0 * std::log10(error / signal), -30.0) << "channels swapped or signal lost";
}

TEST(VorbisCodec, SameSamplesGiveSameBytesUnderTheFixedSerial)
{
    StereoBuffer tones = TwoTones(20000);
    std::vector<unsigned char> first, second;
    ASSERT_TRUE(VorbisEncoder::Encode(tones, 44100, 0.5f, "test", first));
    ASSERT_TRUE(VorbisEncoder::Encode(tones, 44100, 0.5f, "test", second));
    EXPECT_EQ(first, second);
    ASSERT_GT(first.size(), 18u);
    EXPECT_EQ(std::string(first.begin(), first.begin() + 4), "OggS");
    EXPECT_EQ(Little32(first, 14), static_cast<uint32_t>(VorbisEncoder::kStreamSerial));
}

TEST(VorbisCodec, EmptyBufferStillMakesAValidStream)
{
    std::vector<unsigned char> encoded;
    ASSERT_TRUE(VorbisEncoder::Encode(StereoBuffer(), 44100, 0.5f, "test", encoded));
    VorbisDecoder::Stream decoded;
    ASSERT_TRUE(VorbisDecoder::Decode(encoded, decoded));
    EXPECT_EQ(decoded.samples.Frames(), 0u);
}

TEST(VorbisCodec, DecoderRefusesWhatIsNotVorbis)
{
    VorbisDecoder::Stream decoded;
    EXPECT_FALSE(VorbisDecoder::Decode({}, decoded));
    std::vector<unsigned char> garbage(5000, 0x4f);
    EXPECT_FALSE(VorbisDecoder::Decode(garbage, decoded));
    StereoBuffer tones = TwoTones(10000);
    std::vector<unsigned char> encoded;
    ASSERT_TRUE(VorbisEncoder::Encode(tones, 44100, 0.5f, "test", encoded));
    encoded.resize(40);
    EXPECT_FALSE(VorbisDecoder::Decode(encoded, decoded));
}

TEST(WavWriter, WritesA16BitStereoHeaderAndClampsSamples)
{
    StereoBuffer buffer(3);
    buffer.left = {0.0f, 2.0f, -2.0f};
    buffer.right = {0.5f, -1.0f, 1.0f};
    std::vector<unsigned char> wav = WavWriter::Encode(buffer, 44100);
    ASSERT_EQ(wav.size(), 44u + 12u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(Little32(wav, 4), 36u + 12u);
    EXPECT_EQ(Little32(wav, 24), 44100u);
    EXPECT_EQ(Little32(wav, 40), 12u);
    auto sample = [&](size_t index) { return static_cast<int16_t>(wav[44 + 2 * index] | wav[45 + 2 * index] << 8); };
    EXPECT_EQ(sample(1), 16384);
    EXPECT_EQ(sample(2), 32767);
    EXPECT_EQ(sample(3), -32767);
    EXPECT_EQ(sample(4), -32767);
    EXPECT_EQ(sample(5), 32767);
}
