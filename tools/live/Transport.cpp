#include "tools/live/Transport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Keys land on entry starts computed from the same products as the table, yet
// a time read back from the music differs in the last bits: a head within a
// millisecond of a start counts as on it.
constexpr double kSameTime = 1e-3;

}

Transport::Transport(const Tempo& tempo, std::vector<TimeLineEntry> entries)
    : tempo(tempo), entries(std::move(entries)) {
    for (const TimeLineEntry& entry : this->entries)
        showEnd = std::max(showEnd, entry.end);
}

double Transport::Clamp(double time) const { return std::clamp(time, 0.0, showEnd); }

double Transport::StepBeats(double time, int32_t beats) const { return Clamp(time + beats * tempo.beatLength); }

double Transport::StepPatterns(double time, int32_t patterns) const {
    return Clamp(time + patterns * tempo.patternLength);
}

double Transport::PreviousEntryStart(double time) const {
    double best = 0.0;
    for (const TimeLineEntry& entry : entries)
        if (entry.layer == 0 && entry.start < time - kSameTime)
            best = std::max(best, entry.start);
    return best;
}

double Transport::NextEntryStart(double time) const {
    double best = showEnd;
    bool found = false;
    for (const TimeLineEntry& entry : entries)
        if (entry.layer == 0 && entry.start > time + kSameTime && entry.start <= best) {
            best = entry.start;
            found = true;
        }
    return found ? best : Clamp(time);
}

double Transport::LastPatternStart() const {
    const double wholePatterns = std::floor(showEnd / tempo.patternLength + 1e-9);
    return Clamp((wholePatterns - 1.0) * tempo.patternLength);
}

const TimeLineEntry* Transport::EntryAt(double time, int32_t layer) const {
    for (const TimeLineEntry& entry : entries)
        if (entry.layer == layer && entry.start <= time && time < entry.end)
            return &entry;
    return nullptr;
}

std::vector<const TimeLineEntry*> Transport::EntriesAt(double time) const {
    std::vector<const TimeLineEntry*> active;
    for (const TimeLineEntry& entry : entries)
        if (entry.start <= time && time < entry.end)
            active.push_back(&entry);
    return active;
}

double Transport::Wrap(double time, const TimeLineEntry& loop) const {
    return time >= loop.end || time < loop.start ? loop.start : time;
}

MusicalPosition Transport::PositionAt(double time) const {
    // The music's clock is whole bytes of sound, a few microseconds short of
    // a beat it was sent to.
    const double t = std::max(0.0, time) + 1e-4;
    MusicalPosition position;
    position.pattern = static_cast<int32_t>(std::floor(t / tempo.patternLength));
    const double intoPattern = t - position.pattern * tempo.patternLength;
    position.beat = std::min(tempo.patternBeats - 1, static_cast<int32_t>(std::floor(intoPattern / tempo.beatLength)));
    return position;
}

std::string FormatMusicalPosition(const MusicalPosition& position) {
    return std::to_string(position.pattern) + "." + std::to_string(position.beat);
}

std::string FormatClockTime(double seconds) {
    const long long millis = std::llround(std::max(0.0, seconds) * 1000.0);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld.%03lld", millis / 60000, (millis / 1000) % 60, millis % 1000);
    return text;
}
