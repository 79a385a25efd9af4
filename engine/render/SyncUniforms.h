#pragma once

#include <string>
#include <vector>

// A `uniform float sync_<track>` of a shader's source and the value its
// initialiser gives (0 without one, as GL starts every uniform).
struct SyncUniformDeclaration {
    std::string track;
    float defaultValue = 0.0f;
};

constexpr char kSyncUniformPrefix[] = "sync_";

// Every such declaration outside comments, in source order, once each.
// Precision qualifiers are allowed; an initialiser must be a plain number.
std::vector<SyncUniformDeclaration> FindSyncUniforms(const std::string& source);
