#pragma once

#include "demo/show/Tempo.h"
#include "demo/show/TimeLine.h"

#include <cstdint>
#include <string>
#include <vector>

// Where a time falls in the music: pattern and beat, both from 0.
struct MusicalPosition {
    int32_t pattern = 0;
    int32_t beat = 0;
};

// The seeking arithmetic of the live tool over the show's tempo and time
// line: plain numbers in, a time out, every result inside the show.
class Transport {
public:
    Transport(const Tempo& tempo, std::vector<TimeLineEntry> entries);

    double ShowEnd() const { return showEnd; }
    double Clamp(double time) const;

    double StepBeats(double time, int32_t beats) const;
    double StepPatterns(double time, int32_t patterns) const;
    // The latest layer-0 entry start before `time` (the current entry's own
    // start when the head is inside it), or the show's start.
    double PreviousEntryStart(double time) const;
    // The first layer-0 entry start after `time`, or the time itself at the last.
    double NextEntryStart(double time) const;
    // The start of the last whole pattern of the show.
    double LastPatternStart() const;

    // The entry of a layer under the play head (ends are exclusive); null
    // when none plays there.
    const TimeLineEntry* EntryAt(double time, int32_t layer) const;
    // Every entry under the play head, in table order.
    std::vector<const TimeLineEntry*> EntriesAt(double time) const;
    // Past the end of a looped entry the head goes back to its start.
    double Wrap(double time, const TimeLineEntry& loop) const;

    MusicalPosition PositionAt(double time) const;
    const std::vector<TimeLineEntry>& Entries() const { return entries; }
    const Tempo& GetTempo() const { return tempo; }

private:
    Tempo tempo;
    std::vector<TimeLineEntry> entries;
    double showEnd = 0.0;
};

// "pattern.beat", e.g. "16.0".
std::string FormatMusicalPosition(const MusicalPosition& position);
// "mm:ss.mmm".
std::string FormatClockTime(double seconds);
