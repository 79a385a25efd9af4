#pragma once

#include <string>

// How a precalc task reports to the queue that runs it.
class PrecalcProgress {
public:
    virtual ~PrecalcProgress() = default;
    // True once the owner asked the run to end; a long task may end early.
    virtual bool IsStopRequested() = 0;
    // One work unit done.
    virtual void Step() = 0;
    // Replaces the status text.
    virtual void SetStatus(const std::string& text) = 0;
};
