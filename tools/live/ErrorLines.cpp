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

namespace {

const char* const kCompileFailed = "An error occurred during shader compilation.";
const char* const kLinkFailed = "An error occurred while linking shader program.";
// A failed link writes this line, then the driver's log as a message of its own.
const char* const kLogFollows = "Error log:";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::string QuotedFile(const std::string& message) {
    const std::string mark = "file '";
    const size_t start = message.find(mark);
    if (start == std::string::npos)
        return std::string();
    const size_t end = message.find('\'', start + mark.size());
    return end == std::string::npos ? std::string() : message.substr(start + mark.size(), end - start - mark.size());
}

}

std::vector<ReloadReport> ReportsOfLogErrors(const std::vector<std::string>& messages) {
    std::vector<ReloadReport> reports;
    for (size_t i = 0; i < messages.size(); ++i) {
        const std::string& message = messages[i];
        if (message == kLogFollows) {
            ++i;
            continue;
        }
        if (StartsWith(message, kCompileFailed) || StartsWith(message, kLinkFailed))
            continue;
        reports.push_back({QuotedFile(message), false, 0, message, ReloadFate::Checked});
    }
    return reports;
}
