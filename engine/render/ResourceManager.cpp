#include "engine/render/ResourceManager.h"

#include <cctype>
#include <cstdio>

std::string ResourceManager::MakeUniqueName() {
    char name[32];
    std::snprintf(name, sizeof name, "__unique_%u", uniqueCounter);
    ++uniqueCounter;
    return name;
}

std::string NormalizePath(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '\\')
            c = '/';
    }
    return key;
}
