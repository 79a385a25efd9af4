#include "tools/live/DataFileKind.h"

#include <algorithm>
#include <cctype>

std::string Extension(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return path.substr(dot + 1);
}

int32_t ShaderTypeOf(const std::string& path) {
    std::string extension = Extension(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "vs")
        return 0;
    if (extension == "fs")
        return 1;
    if (extension == "gs")
        return 2;
    return -1;
}

std::vector<std::pair<int32_t, std::string>> ProgramShaders(const std::string& key) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar = key.find('|'); bar != std::string::npos; bar = key.find('|', start)) {
        parts.push_back(key.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(key.substr(start));
    std::vector<std::pair<int32_t, std::string>> shaders;
    for (size_t i = 0; i < parts.size(); ++i) {
        int32_t type = ShaderTypeOf(parts[i]);
        if (type < 0)
            type = parts.size() == 1 ? 1 : static_cast<int32_t>(std::min<size_t>(i, 2));
        shaders.emplace_back(type, parts[i]);
    }
    return shaders;
}
