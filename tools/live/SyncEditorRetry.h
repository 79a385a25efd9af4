#pragma once

#include <string>

// When the link to a sync editor tries again, and which failures it reports:
// a try every 2 s while there is no connection, and of the tries that fail
// only the first after a connection (or the start) is reported, so a missing
// editor costs one line, not one every 2 s. The time is passed in, in seconds.
class SyncEditorRetry {
public:
    static constexpr double kInterval = 2.0;

    // True when a try is due: at once at the start, then 2 s after the last ended.
    bool Due(double now) const { return !tried || now >= lastEnded + kInterval; }
    void Tried() { tried = true; }
    // A connection that lived and closed: reported, and the next failure is too.
    void Closed(double now) {
        lastEnded = now;
        reportNextFailure = true;
    }
    // A try that did not connect; true when it is to be reported.
    bool Failed(double now) {
        lastEnded = now;
        const bool report = reportNextFailure;
        reportNextFailure = false;
        return report;
    }

private:
    bool tried = false;
    bool reportNextFailure = true;
    double lastEnded = 0.0;
};
