#pragma once

#include <string>

// Reads a shader file through the engine's file system and expands its
// include directives; logs each failure at ERROR.
bool LoadShaderSource(const std::string& path, std::string& text);

// Replaces every `#include "name"` (exactly one blank) with the text of
// directory/name, one level deep: directives inside included text stay.
bool ProcessIncludes(const std::string& directory, const std::string& source, std::string& out);
