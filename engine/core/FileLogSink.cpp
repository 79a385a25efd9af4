#include "engine/core/FileLogSink.h"

#include "engine/platform/SystemServices.h"

#include <ctime>

namespace {

const char* const kDashLine =
    "--------------------------------------------------------------------------";

// The C library's 26-character local time text, line break included.
std::string LocalTimeText() {
    std::time_t now = std::time(nullptr);
    const char* text = now == static_cast<std::time_t>(-1) ? nullptr : std::ctime(&now);
    return text ? text : "TIMEERROR";
}

}

bool FileLogSink::Open() {
    if (file)
        Close();
    const char separator = platform::NativePathSeparator();
    for (char& c : path)
        if (c == '/')
            c = separator;
    file = std::fopen(path.c_str(), "wt");
    if (!file)
        return false;
    std::fprintf(file, "File opened at %s", LocalTimeText().c_str());
    std::fprintf(file, "%s\n", kDashLine);
    std::fprintf(file, "Demo log file\n");
    std::fprintf(file, "%s\n\n", kDashLine);
    std::fflush(file);
    return true;
}

void FileLogSink::Close() {
    if (!file)
        return;
    std::fprintf(file, "\n%s\n", kDashLine);
    std::fprintf(file, "File closed at %s", LocalTimeText().c_str());
    std::fflush(file);
    std::fclose(file);
    file = nullptr;
}

void FileLogSink::Write(LogLevel, const std::string& line) {
    if (!file)
        return;
    std::fputs(line.c_str(), file);
    std::fflush(file);
}
