#pragma once

#include "demo/show/EnvelopeEvent.h"

#include <vector>

// Timed fade and flash ramps, kept in order of their start. Fade is the
// brightness the picture keeps (1 untouched, 0 black); Flash is how far it
// goes towards white (0 untouched; overlapping flashes add up past 1).
class EnvelopeTrack {
public:
    // Inserts the event after every event that starts no later than it.
    void Add(EnvelopeKind kind, double start, double end);
    double Fade(double time) const;
    double Flash(double time) const;
    // Removes the events that ended before the time; one that ends exactly
    // then is kept for this frame.
    void Expire(double time);

    void SetFadeEnabled(bool enabled) { fadeEnabled = enabled; }
    void SetFlashEnabled(bool enabled) { flashEnabled = enabled; }
    const std::vector<EnvelopeEvent>& GetEvents() const { return events; }

private:
    std::vector<EnvelopeEvent> events;
    bool fadeEnabled = true;
    bool flashEnabled = true;
};
