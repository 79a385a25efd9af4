#pragma once

// The demo's time and the change of it since the previous frame, in seconds.
struct DemoTime {
    double time = 0.0;
    double delta = 0.0;
};
