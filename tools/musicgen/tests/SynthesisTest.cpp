#include "tools/musicgen/Adsr.h"
#include "tools/musicgen/Instrument.h"
#include "tools/musicgen/LoudnessMeter.h"
#include "tools/musicgen/NoiseSource.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/PeakLimiter.h"
#include "tools/musicgen/ResonantFilter.h"
#include "tools/musicgen/StereoReverb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const double kPi = 3.141592653589793;

// Power of samples at frequency, by correlation with a sine and a cosine.
double PowerAt(const std::vector<float>& samples, double frequency)
{
    double re = 0.0, im = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        double angle = 2.0 * kPi * frequency * i / kSampleRate;
        re += samples[i] * std::cos(angle);
        im += samples[i] * std::sin(angle);
    }
    return (re * re + im * im) / (samples.size() * samples.size());
}

std::vector<float> Generate(Waveform waveform, double frequency, size_t count)
{
    Oscillator oscillator(waveform);
    std::vector<float> samples(count);
    for (float& sample : samples)
        sample = oscillator.Next(frequency, kSampleRate);
    return samples;
}

// The strongest alias that harmonics 10 to 13 of a saw fold down into the
// lower and middle range, relative to the fundamental, in dB.
double WorstAudibleAlias(const std::vector<float>& saw, double frequency)
{
    double fundamental = PowerAt(saw, frequency);
    double worst = -200.0;
    for (int harmonic = 10; harmonic <= 13; ++harmonic) {
        double alias = std::fabs(kSampleRate - harmonic * frequency);
        worst = std::max(worst, 10.0 * std::log10(PowerAt(saw, alias) / fundamental));
    }
    return worst;
}

std::vector<float> NaiveSaw(double frequency, size_t count)
{
    std::vector<float> samples(count);
    double phase = 0.0;
    for (float& sample : samples) {
        sample = static_cast<float>(2.0 * phase - 1.0);
        phase += frequency / kSampleRate;
        phase -= std::floor(phase);
    }
    return samples;
}

double SineGainThrough(ResonantFilter& filter, double frequency)
{
    double peak = 0.0;
    for (size_t i = 0; i < 44100; ++i) {
        float out = filter.Process(static_cast<float>(std::sin(2.0 * kPi * frequency * i / kSampleRate)));
        if (i > 22050)
            peak = std::max(peak, std::fabs(static_cast<double>(out)));
    }
    return peak;
}

}

TEST(Oscillator, SineHasTheRequestedPitch)
{
    std::vector<float> sine = Generate(Waveform::Sine, 440.0, 44100);
    int crossings = 0;
    for (size_t i = 1; i < sine.size(); ++i)
        crossings += (sine[i - 1] < 0.0f) != (sine[i] < 0.0f);
    EXPECT_NEAR(crossings, 880, 2);
}

TEST(Oscillator, BandLimitedSawKeepsAliasesFarBelowTheNaiveOne)
{
    const double frequency = 3520.0;
    double limited = WorstAudibleAlias(Generate(Waveform::Saw, frequency, 44100), frequency);
    double naive = WorstAudibleAlias(NaiveSaw(frequency, 44100), frequency);
    EXPECT_LT(limited, -40.0);
    EXPECT_LT(limited, naive - 20.0);
}

TEST(Oscillator, SquareStaysWithinItsRangeAndAveragesToZero)
{
    std::vector<float> square = Generate(Waveform::Square, 1234.5, 44100);
    double sum = 0.0;
    for (float sample : square) {
        ASSERT_LE(std::fabs(sample), 1.2f);
        sum += sample;
    }
    EXPECT_NEAR(sum / square.size(), 0.0, 0.01);
}

TEST(Adsr, RisesDecaysToSustainAndReleasesFromWhereItWas)
{
    Adsr envelope(0.1, 0.2, 0.5, 0.4);
    EXPECT_DOUBLE_EQ(envelope.Level(0.0, 1.0), 0.0);
    EXPECT_NEAR(envelope.Level(0.05, 1.0), 0.5, 1e-9);
    EXPECT_NEAR(envelope.Level(0.1, 1.0), 1.0, 1e-9);
    EXPECT_NEAR(envelope.Level(0.9, 1.0), 0.5, 0.01);
    // A note released half-way through its attack fades from 0.5, no jump.
    EXPECT_NEAR(envelope.Level(0.0500001, 0.05), 0.5, 1e-3);
    EXPECT_LT(envelope.Level(0.25, 0.05), 0.5);
    EXPECT_DOUBLE_EQ(envelope.Level(envelope.End(0.05), 0.05), 0.0);
    EXPECT_DOUBLE_EQ(envelope.Level(-0.01, 1.0), 0.0);
}

TEST(ResonantFilter, LowPassKeepsTheLowsAndCutsTheHighs)
{
    ResonantFilter low(FilterMode::LowPass);
    low.SetParameters(1000.0, 0.0, kSampleRate);
    EXPECT_NEAR(SineGainThrough(low, 100.0), 1.0, 0.02);
    ResonantFilter lowAgain(FilterMode::LowPass);
    lowAgain.SetParameters(1000.0, 0.0, kSampleRate);
    EXPECT_LT(SineGainThrough(lowAgain, 10000.0), 0.02);
}

TEST(ResonantFilter, HighPassCutsTheLows)
{
    ResonantFilter high(FilterMode::HighPass);
    high.SetParameters(1000.0, 0.0, kSampleRate);
    EXPECT_LT(SineGainThrough(high, 100.0), 0.02);
    ResonantFilter highAgain(FilterMode::HighPass);
    highAgain.SetParameters(1000.0, 0.0, kSampleRate);
    EXPECT_NEAR(SineGainThrough(highAgain, 10000.0), 1.0, 0.02);
}

TEST(ResonantFilter, StaysStableWhileSweepingAtFullResonance)
{
    ResonantFilter filter(FilterMode::LowPass);
    NoiseSource noise(7);
    float peak = 0.0f;
    for (size_t i = 0; i < 88200; ++i) {
        filter.SetParameters(50.0 * std::pow(400.0, (i % 22050) / 22050.0), 0.99, kSampleRate);
        float out = filter.Process(noise.Next());
        ASSERT_TRUE(std::isfinite(out));
        peak = std::max(peak, std::fabs(out));
    }
    EXPECT_LT(peak, 100.0f);
}

TEST(NoiseSource, RepeatsForASeedAndStaysInRange)
{
    NoiseSource first(12345), second(12345), other(54321);
    bool differs = false;
    double sum = 0.0;
    for (int i = 0; i < 100000; ++i) {
        float value = first.Next();
        ASSERT_EQ(value, second.Next());
        ASSERT_GE(value, -1.0f);
        ASSERT_LT(value, 1.0f);
        differs = differs || value != other.Next();
        sum += value;
    }
    EXPECT_TRUE(differs);
    EXPECT_NEAR(sum / 100000.0, 0.0, 0.01);
}

TEST(PeakLimiter, HoldsPeaksUnderTheCeilingAndLeavesQuietPartsAlone)
{
    StereoBuffer buffer(44100);
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        float tone = 0.5f * static_cast<float>(std::sin(2.0 * kPi * 220.0 * i / kSampleRate));
        buffer.left[i] = tone;
        buffer.right[i] = -tone;
    }
    buffer.left[22050] = 2.0f;
    buffer.right[22051] = -1.5f;
    PeakLimiter limiter(0.8, 0.003, 0.05, kSampleRate);
    StereoBuffer limited = buffer;
    limiter.Process(limited);
    EXPECT_LE(limited.Peak(), 0.8f + 1e-6f);
    for (size_t i : {size_t(100), size_t(10000), size_t(21000)}) {
        EXPECT_FLOAT_EQ(limited.left[i], buffer.left[i]);
        EXPECT_FLOAT_EQ(limited.right[i], buffer.right[i]);
    }
    // Released again half a second after the spike.
    EXPECT_NEAR(limited.left[44000], buffer.left[44000], 1e-3f);
}

TEST(LoudnessMeter, ReadsAFullScaleReferenceToneAndGatesSilence)
{
    // A 997 Hz sine peaking at -20 dBFS in both channels reads -20 LUFS.
    StereoBuffer tone(44100 * 3);
    for (size_t i = 0; i < tone.Frames(); ++i) {
        float sample = 0.1f * static_cast<float>(std::sin(2.0 * kPi * 997.0 * i / kSampleRate));
        tone.left[i] = sample;
        tone.right[i] = sample;
    }
    EXPECT_NEAR(LoudnessMeter::IntegratedLoudness(tone, kSampleRate), -20.0, 0.1);
    EXPECT_DOUBLE_EQ(LoudnessMeter::IntegratedLoudness(StereoBuffer(44100), kSampleRate), -70.0);
}

TEST(StereoReverb, RingsOutAndDiffersBetweenTheSides)
{
    StereoBuffer impulse(44100 * 6);
    impulse.left[0] = 1.0f;
    impulse.right[0] = 1.0f;
    StereoReverb reverb(0.88, 0.35, 0.03, kSampleRate);
    StereoBuffer wet = reverb.Process(impulse);
    auto energy = [&](size_t from, size_t to) {
        double sum = 0.0;
        for (size_t i = from; i < to; ++i)
            sum += wet.left[i] * wet.left[i] + wet.right[i] * wet.right[i];
        return sum;
    };
    double early = energy(0, 22050);
    double late = energy(wet.Frames() - 22050, wet.Frames());
    EXPECT_GT(early, 0.0);
    EXPECT_LT(late, early * 1e-3);
    EXPECT_EQ(wet.left[0], 0.0f) << "the pre-delay keeps the start dry";
    int differing = 0;
    for (size_t i = 0; i < 44100; ++i)
        differing += wet.left[i] != wet.right[i];
    EXPECT_GT(differing, 40000);
}
