#include "demo/show/EnvelopeTrack.h"

#include <algorithm>

void EnvelopeTrack::Add(EnvelopeKind kind, double start, double end) {
    EnvelopeEvent event{kind, start, end, end - start};
    auto later = std::find_if(events.begin(), events.end(),
                              [start](const EnvelopeEvent& stored) { return stored.start > start; });
    events.insert(later, event);
}

// An event of no length is never active, so its zero duration never divides.
double EnvelopeTrack::Fade(double time) const {
    if (!fadeEnabled)
        return 1.0;
    double fade = 1.0;
    for (const EnvelopeEvent& event : events) {
        if (!event.IsActiveAt(time))
            continue;
        if (event.kind == EnvelopeKind::FadeIn)
            fade *= event.ProgressAt(time);
        else if (event.kind == EnvelopeKind::FadeOut)
            fade *= 1.0 - event.ProgressAt(time);
    }
    return fade;
}

double EnvelopeTrack::Flash(double time) const {
    if (!flashEnabled)
        return 0.0;
    double flash = 0.0;
    for (const EnvelopeEvent& event : events) {
        if (!event.IsActiveAt(time))
            continue;
        if (event.kind == EnvelopeKind::FlashIn)
            flash += event.ProgressAt(time);
        else if (event.kind == EnvelopeKind::FlashOut)
            flash += 1.0 - event.ProgressAt(time);
    }
    return flash;
}

void EnvelopeTrack::Expire(double time) {
    events.erase(std::remove_if(events.begin(), events.end(),
                                [time](const EnvelopeEvent& event) { return event.end < time; }),
                 events.end());
}
