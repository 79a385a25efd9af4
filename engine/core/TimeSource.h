#pragma once

// Seconds since creation or the last Reset.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual void Reset() = 0;
    virtual double Now() = 0;
};
