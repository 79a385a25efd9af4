#include "engine/platform/WindowEvents.h"

namespace platform {

Key KeyFromAscii(uint32_t code) {
    if (code >= 'a' && code <= 'z')
        code -= 'a' - 'A';
    if (code >= 'A' && code <= 'Z')
        return static_cast<Key>(static_cast<uint32_t>(Key::A) + (code - 'A'));
    if (code >= '0' && code <= '9')
        return static_cast<Key>(static_cast<uint32_t>(Key::Digit0) + (code - '0'));
    return Key::Unknown;
}

}
