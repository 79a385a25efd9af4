#include "tools/musicgen/Instrument.h"

#include <cmath>

double Instrument::Frequency(double midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

size_t Instrument::StartFrame(const NoteEvent& note)
{
    return static_cast<size_t>(std::llround(note.start * kSampleRate));
}

size_t Instrument::FrameCount(double seconds)
{
    return seconds > 0.0 ? static_cast<size_t>(std::ceil(seconds * kSampleRate)) : 0;
}

uint32_t Instrument::NoiseSeed(const NoteEvent& note)
{
    uint32_t seed = static_cast<uint32_t>(StartFrame(note)) * 2654435761u;
    seed ^= static_cast<uint32_t>(note.pitch) * 40503u;
    seed ^= static_cast<uint32_t>(note.instrument) * 2246822519u;
    return seed;
}

void Instrument::PanGains(float pan, float& left, float& right)
{
    double angle = (static_cast<double>(pan) + 1.0) * 0.7853981633974483;
    left = static_cast<float>(std::cos(angle));
    right = static_cast<float>(std::sin(angle));
}
