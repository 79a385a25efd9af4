#include "engine/render/SyncUniforms.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// The source with comments turned into blanks, so that positions still match.
std::string WithoutComments(const std::string& source) {
    std::string text = source;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '/' || (text[i + 1] != '/' && text[i + 1] != '*'))
            continue;
        const bool line = text[i + 1] == '/';
        size_t end = line ? text.find('\n', i) : text.find("*/", i + 2);
        end = end == std::string::npos ? text.size() : end + (line ? 0 : 2);
        for (size_t j = i; j < end; ++j)
            if (text[j] != '\n')
                text[j] = ' ';
        i = end == 0 ? 0 : end - 1;
    }
    return text;
}

bool IsNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Reads the word at `at` after blanks; empty at anything else.
std::string NextWord(const std::string& text, size_t& at) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    const size_t start = at;
    while (at < text.size() && IsNameCharacter(text[at]))
        ++at;
    return text.substr(start, at - start);
}

bool SkipTo(const std::string& text, size_t& at, char wanted) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    if (at >= text.size() || text[at] != wanted)
        return false;
    ++at;
    return true;
}

// The initialiser's number after '=', up to ';'.
bool ReadInitialiser(const std::string& text, size_t& at, float& value) {
    const size_t semicolon = text.find(';', at);
    if (semicolon == std::string::npos)
        return false;
    std::string number = text.substr(at, semicolon - at);
    char* end = nullptr;
    const float read = std::strtof(number.c_str(), &end);
    while (*end && (std::isspace(static_cast<unsigned char>(*end)) || *end == 'f' || *end == 'F'))
        ++end;
    if (end == number.c_str() || *end)
        return false;
    value = read;
    at = semicolon + 1;
    return true;
}

bool IsPrecision(const std::string& word) { return word == "highp" || word == "mediump" || word == "lowp"; }

bool ReadDeclaration(const std::string& text, size_t at, SyncUniformDeclaration& declaration) {
    std::string word = NextWord(text, at);
    if (IsPrecision(word))
        word = NextWord(text, at);
    if (word != "float")
        return false;
    const std::string name = NextWord(text, at);
    const size_t prefixLength = std::strlen(kSyncUniformPrefix);
    if (name.size() <= prefixLength || name.compare(0, prefixLength, kSyncUniformPrefix) != 0)
        return false;
    declaration.track = name.substr(prefixLength);
    declaration.defaultValue = 0.0f;
    size_t afterName = at;
    if (SkipTo(text, afterName, ';'))
        return true;
    return SkipTo(text, at, '=') && ReadInitialiser(text, at, declaration.defaultValue);
}

bool Known(const std::vector<SyncUniformDeclaration>& found, const std::string& track) {
    for (const auto& declaration : found)
        if (declaration.track == track)
            return true;
    return false;
}

}

std::vector<SyncUniformDeclaration> FindSyncUniforms(const std::string& source) {
    const std::string text = WithoutComments(source);
    std::vector<SyncUniformDeclaration> found;
    for (size_t at = text.find("uniform"); at != std::string::npos; at = text.find("uniform", at + 1)) {
        const bool wordStart = at == 0 || !IsNameCharacter(text[at - 1]);
        const size_t after = at + std::strlen("uniform");
        if (!wordStart || after >= text.size() || IsNameCharacter(text[after]))
            continue;
        SyncUniformDeclaration declaration;
        if (ReadDeclaration(text, after, declaration) && !Known(found, declaration.track))
            found.push_back(declaration);
    }
    return found;
}
