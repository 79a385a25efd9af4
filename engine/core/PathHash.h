#pragma once

#include <cstdint>
#include <string_view>

// A hash of a path that ignores case and the kind of slash.
uint32_t PathHash(std::string_view path);
