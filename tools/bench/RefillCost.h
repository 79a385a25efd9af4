#pragma once

#include <string>

// The music player's refill of one half of its ring (one second of sound),
// decoded from the track at `path`: the mean CPU milliseconds of `refills`
// refills in a row from the start. False, with a message, when the track
// does not open or ends first.
bool MeasureRefillCost(const std::string& path, int refills, double& milliseconds, std::string& error);
