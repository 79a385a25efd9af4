#pragma once

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The message part of a log line: what follows the time and level.
inline std::string MessageOf(const std::string& line, std::string* level = nullptr) {
    size_t first = line.find('\t');
    size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos)
        return "";
    if (level)
        *level = line.substr(first + 1, second - first - 1);
    return line.substr(second + 1);
}
