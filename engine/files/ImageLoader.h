#pragma once

#include <string>

struct Image;

// Reads the file through the engine's file system and decodes it with the
// codec of its extension. Null on failure; only a missing or unknown codec
// is logged, the caller words every other failure.
Image* LoadImage(const std::string& path);
