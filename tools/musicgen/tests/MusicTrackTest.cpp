#include "tools/musicgen/BeatGrid.h"
#include "tools/musicgen/Composition.h"
#include "tools/musicgen/LoudnessMeter.h"
#include "tools/musicgen/MusicTrack.h"
#include "tools/musicgen/VorbisDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

const char* const kCommittedTrack = ZP_SOURCE_DIR "/data/music/zephal_ethereal.ogg";

std::vector<unsigned char> ReadBytes(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

double Db(double linear)
{
    return 20.0 * std::log10(linear);
}

// Decoding the committed track once serves every check of it.
class CommittedTrackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        stream = std::make_unique<VorbisDecoder::Stream>();
        decoded = VorbisDecoder::Decode(ReadBytes(kCommittedTrack), *stream);
    }
    static void TearDownTestSuite() { stream.reset(); }

    static std::unique_ptr<VorbisDecoder::Stream> stream;
    static bool decoded;
};

std::unique_ptr<VorbisDecoder::Stream> CommittedTrackTest::stream;
bool CommittedTrackTest::decoded = false;

}

// The same compiler, maths library and encoder give the very same bytes. A
// different floating-point library or encoder version may not: then the two
// decoded tracks must have the same length and differ by a signal at least
// 30 dB below the music. (Two encodings of nearly the same samples differ by
// their coding noise, about 35 dB down; a change of 1 dB in the mix or a
// wrong note shows well above that.)
TEST(MusicTrack, RegeneratingGivesTheCommittedTrack)
{
    std::vector<unsigned char> committed = ReadBytes(kCommittedTrack);
    VorbisDecoder::Stream old;
    ASSERT_TRUE(VorbisDecoder::Decode(committed, old)) << kCommittedTrack << " is missing or not Vorbis";
    StereoBuffer master = MusicTrack::Render();
    std::vector<unsigned char> regenerated;
    ASSERT_TRUE(MusicTrack::Encode(master, regenerated));
    if (regenerated == committed)
        return;
    VorbisDecoder::Stream fresh;
    ASSERT_TRUE(VorbisDecoder::Decode(regenerated, fresh));
    ASSERT_EQ(fresh.samples.Frames(), old.samples.Frames());
    double difference = 0.0, music = 0.0;
    for (size_t i = 0; i < old.samples.Frames(); ++i) {
        difference += std::pow(fresh.samples.left[i] - old.samples.left[i], 2) +
                      std::pow(fresh.samples.right[i] - old.samples.right[i], 2);
        music += std::pow(old.samples.left[i], 2) + std::pow(old.samples.right[i], 2);
    }
    EXPECT_LT(10.0 * std::log10(difference / music), -30.0);
}

TEST_F(CommittedTrackTest, FitsThePlayerAndTheShow)
{
    ASSERT_TRUE(decoded);
    const StereoBuffer& samples = stream->samples;
    EXPECT_EQ(stream->sampleRate, 44100);
    EXPECT_EQ(stream->channels, 2);
    EXPECT_GE(samples.Frames() / 44100.0, 151.2);
    // Unclipped decoder output: what the player turns into 16-bit samples.
    EXPECT_LT(Db(samples.Peak()), -0.3);
    double loudness = LoudnessMeter::IntegratedLoudness(samples, 44100.0);
    EXPECT_GT(loudness, -15.0);
    EXPECT_LT(loudness, -12.0);
}

TEST_F(CommittedTrackTest, FadesOutAndIsSilentAfterTheShow)
{
    ASSERT_TRUE(decoded);
    const StereoBuffer& samples = stream->samples;
    size_t silentFrom = static_cast<size_t>(std::ceil((Composition::FadeEnd() + 0.05) * 44100.0));
    ASSERT_LT(silentFrom, samples.Frames());
    float loudest = 0.0f;
    for (size_t i = silentFrom; i < samples.Frames(); ++i)
        loudest = std::max({loudest, std::fabs(samples.left[i]), std::fabs(samples.right[i])});
    EXPECT_LT(loudest, 1.0f / 32768.0f);
    // And the last pattern before it is already fading: quieter than the climax.
    auto rms = [&](double from, double to) {
        double sum = 0.0;
        size_t first = static_cast<size_t>(from * 44100.0), last = static_cast<size_t>(to * 44100.0);
        for (size_t i = first; i < last; ++i)
            sum += samples.left[i] * samples.left[i] + samples.right[i] * samples.right[i];
        return std::sqrt(sum / (2.0 * (last - first)));
    };
    EXPECT_LT(rms(BeatGrid::At(53, 16), BeatGrid::At(54)), rms(BeatGrid::At(50), BeatGrid::At(51)) * 0.1);
}
