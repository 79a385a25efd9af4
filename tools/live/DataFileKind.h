#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The text after the last '.' of the last path component; empty without one.
std::string Extension(const std::string& path);

// The shader type a file's extension names (0 .vs, 1 .fs, 2 .gs, in any
// case); -1 for none.
int32_t ShaderTypeOf(const std::string& path);

// The shaders of a program key ("a.vs|b.fs"), each with its type: vertex,
// fragment, geometry in key order as far as the extensions do not say otherwise.
std::vector<std::pair<int32_t, std::string>> ProgramShaders(const std::string& key);
