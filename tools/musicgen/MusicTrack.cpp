#include "tools/musicgen/MusicTrack.h"

#include "tools/musicgen/Composition.h"
#include "tools/musicgen/MusicRenderer.h"
#include "tools/musicgen/VorbisDecoder.h"
#include "tools/musicgen/VorbisEncoder.h"

#include <cmath>

StereoBuffer MusicTrack::Render()
{
    MusicRenderer::Settings settings;
    settings.length = Composition::Length();
    settings.fadeStart = Composition::FadeStart();
    settings.fadeEnd = Composition::FadeEnd();
    settings.targetLoudness = kTargetLoudness;
    settings.ceiling = std::pow(10.0, kCeilingDb / 20.0);
    settings.drops = Composition::CutTimes();
    return MusicRenderer::Render(Composition::Score(), settings);
}

bool MusicTrack::Encode(StereoBuffer& master, std::vector<unsigned char>& encoded)
{
    const double allowed = std::pow(10.0, kDecodedPeakDb / 20.0);
    const int attempts = 4;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (!VorbisEncoder::Encode(master, kSampleRate, kQuality, "Zephal Ethereal", encoded))
            return false;
        VorbisDecoder::Stream decoded;
        if (!VorbisDecoder::Decode(encoded, decoded))
            return false;
        double peak = decoded.samples.Peak();
        if (peak <= allowed)
            return true;
        // A little under the exact ratio: the overshoot does not scale
        // exactly with the level.
        master.Scale(static_cast<float>(allowed / peak * 0.98));
    }
    return false;
}
