#pragma once

// Escape, or closing the window, with unsaved changes: the first asking
// warns, and only a second within kWindow seconds quits.
class QuitGuard {
public:
    static constexpr double kWindow = 2.0;

    // True when the tool may quit now; false after a warning.
    bool MayQuit(double now, bool unsavedChanges);
    // A warning given less than kWindow seconds ago.
    bool Warning(double now) const { return warned && now - warnedAt <= kWindow; }

private:
    bool warned = false;
    double warnedAt = 0.0;
};
