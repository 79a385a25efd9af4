#include "engine/sync/SyncValue.h"

#include <cstdio>
#include <cstdlib>

std::string FormatSyncDefault(float value) {
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}
