#include "tools/live/ReloadDebounce.h"

void ReloadDebounce::Note(const std::string& path, double now) { lastSeen[path] = now; }

std::vector<std::string> ReloadDebounce::TakeReady(double now) {
    std::vector<std::string> ready;
    for (auto entry = lastSeen.begin(); entry != lastSeen.end();) {
        if (now - entry->second >= quiet) {
            ready.push_back(entry->first);
            entry = lastSeen.erase(entry);
        } else {
            ++entry;
        }
    }
    return ready;
}
