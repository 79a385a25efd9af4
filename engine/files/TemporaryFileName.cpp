#include "engine/files/TemporaryFileName.h"

namespace {

const char kSuffix[] = ".tmp";
constexpr size_t kSuffixLength = sizeof kSuffix - 1;

size_t NameStart(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? 0 : separator + 1;
}

}

bool IsTemporaryFileName(const std::string& path) {
    const std::string name = path.substr(NameStart(path));
    return name.size() > kSuffixLength + 1 && name.front() == '.' &&
           name.compare(name.size() - kSuffixLength, kSuffixLength, kSuffix) == 0;
}

std::string TemporaryFileNameOf(const std::string& path) {
    const size_t start = NameStart(path);
    return path.substr(0, start) + "." + path.substr(start) + kSuffix;
}
