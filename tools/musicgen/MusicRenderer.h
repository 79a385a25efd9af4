#pragma once

#include "tools/musicgen/NoteEvent.h"
#include "tools/musicgen/StereoBuffer.h"

#include <vector>

// Renders a score to the finished stereo master: every note into its bus,
// the kick ducking the pads and bass, delay and reverb, the fade-out, then
// loudness normalisation under a peak limiter.
class MusicRenderer {
public:
    struct Settings {
        double length;         // seconds of output
        double fadeStart;      // the master fades out from here...
        double fadeEnd;        // ...to silence here, and stays silent
        double targetLoudness; // LUFS
        double ceiling;        // linear peak ceiling
        // The mix drops back for a moment before each of these instants, so
        // that what lands on them stands out.
        std::vector<double> drops;
    };

    static StereoBuffer Render(const std::vector<NoteEvent>& score, const Settings& settings);

private:
    struct Buses {
        StereoBuffer pads, leads, bass, drums, effects;
    };

    static Buses RenderBuses(const std::vector<NoteEvent>& score, size_t frames);
    static std::vector<float> KickDucking(const std::vector<NoteEvent>& score, size_t frames);
    static void Duck(StereoBuffer& bus, const std::vector<float>& ducking, float depth);
    static StereoBuffer Mix(Buses& buses);
    static void Fade(StereoBuffer& master, const Settings& settings);
    static void HushBefore(StereoBuffer& master, double instant);
    static void Master(StereoBuffer& master, const Settings& settings);
};
