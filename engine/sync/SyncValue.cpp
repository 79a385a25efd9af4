#include "engine/sync/SyncValue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

// Plain decimals where they are short ("80", "0.005"), else the shortest
// exponent form that reads back as the same float.
std::string FormatSyncDefault(float value) {
    char text[48];
    const bool plain = value == 0.0f || (std::fabs(value) >= 1e-4f && std::fabs(value) < 1e7f);
    for (int digits = plain ? 0 : 1; digits <= 9; ++digits) {
        if (plain)
            std::snprintf(text, sizeof text, "%.*f", digits, static_cast<double>(value));
        else
            std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            return text;
    }
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}
