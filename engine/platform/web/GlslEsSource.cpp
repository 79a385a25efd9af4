#include "engine/platform/web/GlslEsSource.h"

#include <sstream>

namespace {

const char kEsVersion[] = "#version 300 es";
const char kPrecision[] = "precision highp float;\nprecision highp int;\n";

std::string Trimmed(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos ? std::string() : line.substr(first);
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// "uniform float sync_x = 0.5;" -> "uniform float sync_x;"
std::string WithoutSyncInitialiser(const std::string& line) {
    const std::string code = Trimmed(line);
    if (!StartsWith(code, "uniform") || code.find("sync_") == std::string::npos)
        return line;
    const size_t equals = line.find('=');
    const size_t semicolon = line.find(';', equals == std::string::npos ? 0 : equals);
    if (equals == std::string::npos || semicolon == std::string::npos)
        return line;
    size_t end = equals;
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t'))
        --end;
    return line.substr(0, end) + line.substr(semicolon);
}

}

std::string ToGlslEs(const std::string& source) {
    std::istringstream lines(source);
    std::string out;
    std::string line;
    bool versionSeen = false;
    bool precisionPending = false;
    while (std::getline(lines, line)) {
        const std::string code = Trimmed(line);
        if (precisionPending && !StartsWith(code, "#extension")) {
            out += kPrecision;
            precisionPending = false;
        }
        if (!versionSeen && StartsWith(code, "#version")) {
            out += kEsVersion;
            out += '\n';
            versionSeen = true;
            precisionPending = true;
            continue;
        }
        out += WithoutSyncInitialiser(line);
        out += '\n';
    }
    if (precisionPending)
        out += kPrecision;
    if (!versionSeen)
        out = std::string(kEsVersion) + "\n" + kPrecision + out;
    return out;
}
