#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The sync editor's TCP protocol, as the demo side speaks it. Integers are
// big-endian; a float travels as the bits of its uint32.
namespace syncprotocol {

constexpr char kDemoGreeting[] = "hello, synctracker!";  // the demo's, 19 bytes
constexpr char kEditorGreeting[] = "hello, demo!";       // the editor's answer, 12 bytes
constexpr size_t kDemoGreetingSize = sizeof kDemoGreeting - 1;
constexpr size_t kEditorGreetingSize = sizeof kEditorGreeting - 1;

enum Command : uint8_t {
    kSetKey = 0,     // uint32 track, uint32 row, uint32 value bits, uint8 interpolation
    kDeleteKey = 1,  // uint32 track, uint32 row
    kGetTrack = 2,   // demo to editor: uint32 name length, the name's bytes
    kSetRow = 3,     // uint32 row, both ways
    kPause = 4,      // uint8: 1 paused, 0 playing
    kSave = 5,
};

constexpr uint16_t kDefaultPort = 1338;
constexpr size_t kMaxTrackNameLength = 4096;

void AppendUint32(std::vector<uint8_t>& out, uint32_t value);
uint32_t ReadUint32(const uint8_t* bytes);
// False, and nothing appended, for a name longer than kMaxTrackNameLength.
bool AppendTrackRequest(std::vector<uint8_t>& out, const std::string& name);
void AppendSetRow(std::vector<uint8_t>& out, uint32_t row);

}
