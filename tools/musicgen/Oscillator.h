#pragma once

enum class Waveform { Sine, Saw, Square, Triangle };

// A phase-accumulating oscillator. Saw and square are corrected with a
// polynomial band-limited step at each discontinuity, so bright notes do not
// fold back into audible aliases; the triangle's harmonics fall fast enough
// that it is left plain.
class Oscillator {
public:
    Oscillator(Waveform waveform, double startPhase = 0.0) : waveform(waveform), phase(startPhase) {}

    // One sample at frequency (Hz) for sampleRate; advances the phase.
    float Next(double frequency, double sampleRate);

private:
    Waveform waveform;
    double phase;
};
