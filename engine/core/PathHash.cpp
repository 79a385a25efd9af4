#include "engine/core/PathHash.h"

#include <cctype>

namespace {

// Lowered in the C locale and taken as a signed byte, so characters above 127
// count negative.
int32_t HashedCharacter(char character) {
    if (character == '\\')
        character = '/';
    return static_cast<signed char>(std::tolower(static_cast<unsigned char>(character)));
}

}

uint32_t PathHash(std::string_view path) {
    uint32_t hash = 0;
    for (size_t index = 0; index < path.size(); ++index) {
        uint32_t weight = static_cast<uint32_t>(119 + index);
        hash += weight * static_cast<uint32_t>(HashedCharacter(path[index]));
    }
    return hash;
}
