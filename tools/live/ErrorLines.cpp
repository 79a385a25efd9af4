#include "tools/live/ErrorLines.h"

#include <utility>

namespace {

// A line is "<seconds>\t<LEVEL>\t<message>\n".
std::string MessageOf(const std::string& line) {
    const size_t tab = line.find('\t', line.find('\t') + 1);
    std::string message = tab == std::string::npos ? line : line.substr(tab + 1);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

}

void ErrorLines::Write(LogLevel level, const std::string& line) {
    if (level != LOG_ERROR)
        return;
    std::lock_guard<std::mutex> guard(lock);
    pending.push_back(MessageOf(line));
}

std::vector<std::string> ErrorLines::Take() {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<std::string> taken;
    taken.swap(pending);
    return taken;
}
