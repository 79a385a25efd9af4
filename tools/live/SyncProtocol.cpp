#include "tools/live/SyncProtocol.h"

namespace syncprotocol {

void AppendUint32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t ReadUint32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

bool AppendTrackRequest(std::vector<uint8_t>& out, const std::string& name) {
    if (name.size() > kMaxTrackNameLength)
        return false;
    out.push_back(kGetTrack);
    AppendUint32(out, static_cast<uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    return true;
}

void AppendSetRow(std::vector<uint8_t>& out, uint32_t row) {
    out.push_back(kSetRow);
    AppendUint32(out, row);
}

}
