#include "tools/musicgen/StereoReverb.h"

namespace {

// Mutually prime delay lengths, in samples at 44.1 kHz, chosen so that the
// echoes of the combs do not pile up on common multiples.
const int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
const int kAllpassLengths[] = {556, 441, 341, 225};
const int kStereoSpread = 23;
const float kAllpassFeedback = 0.5f;

size_t Scaled(int length, double sampleRate)
{
    return static_cast<size_t>(length * sampleRate / 44100.0);
}

}

StereoReverb::StereoReverb(double roomSize, double damping, double preDelaySeconds, double sampleRate)
    : feedback(static_cast<float>(0.7 + 0.28 * roomSize)),
      damping(static_cast<float>(damping)),
      preDelayFrames(static_cast<size_t>(preDelaySeconds * sampleRate)),
      left(MakeChannel(0, sampleRate)),
      right(MakeChannel(kStereoSpread, sampleRate))
{
}

StereoReverb::Channel StereoReverb::MakeChannel(int spread, double sampleRate)
{
    Channel channel;
    for (int length : kCombLengths) {
        Comb comb;
        comb.line.assign(Scaled(length + spread, sampleRate), 0.0f);
        channel.combs.push_back(comb);
    }
    for (int length : kAllpassLengths) {
        Allpass allpass;
        allpass.line.assign(Scaled(length + spread, sampleRate), 0.0f);
        channel.allpasses.push_back(allpass);
    }
    return channel;
}

float StereoReverb::ProcessSample(Channel& channel, float input)
{
    float sum = 0.0f;
    for (Comb& comb : channel.combs) {
        float delayed = comb.line[comb.index];
        comb.filtered = delayed * (1.0f - damping) + comb.filtered * damping;
        comb.line[comb.index] = input + comb.filtered * feedback;
        comb.index = (comb.index + 1) % comb.line.size();
        sum += delayed;
    }
    for (Allpass& allpass : channel.allpasses) {
        float delayed = allpass.line[allpass.index];
        allpass.line[allpass.index] = sum + delayed * kAllpassFeedback;
        allpass.index = (allpass.index + 1) % allpass.line.size();
        sum = delayed - sum;
    }
    return sum;
}

StereoBuffer StereoReverb::Process(const StereoBuffer& input)
{
    StereoBuffer wet(input.Frames());
    const float inputGain = 0.015f;
    for (size_t i = preDelayFrames; i < input.Frames(); ++i) {
        size_t source = i - preDelayFrames;
        float mono = (input.left[source] + input.right[source]) * inputGain;
        float l = ProcessSample(left, mono + input.left[source] * inputGain);
        float r = ProcessSample(right, mono + input.right[source] * inputGain);
        wet.left[i] = l;
        wet.right[i] = r;
    }
    return wet;
}
