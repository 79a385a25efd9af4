#include "tools/live/LiveOptions.h"

#include "tools/live/SyncProtocol.h"
#include "tools/shared/CommandLineValues.h"

#include <algorithm>
#include <cctype>

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ParsePort(const std::string& text, uint16_t& port) {
    if (!AllDigits(text) || text.size() > 5 || std::stoul(text) == 0 || std::stoul(text) > 65535)
        return false;
    port = static_cast<uint16_t>(std::stoul(text));
    return true;
}

// Letters, digits, dots and dashes: a name or a dotted address.
bool PlainHost(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-';
    });
}

}

const char* const kLiveUsage =
    "usage: zplive [--start SECONDS] [--paused] [--size WxH] [--fullscreen] [--sync-editor HOST[:PORT]|PORT]\n"
    "Plays the show from the working directory's data and reloads what is saved there.\n"
    "Space pauses, Left/Right step a beat (with Shift a pattern), PageUp/PageDown go to\n"
    "the previous or next entry, Home/End to the start or the last pattern, L loops the\n"
    "entry, Tab hides the overlay, F1 lists the keys, F5 rebuilds the show, F12 saves the\n"
    "frame, Escape quits. Run it from the folder that holds data/.\n"
    "F2 shows the tracker of the sync tracks: Up/Down a row, PageUp/PageDown a beat,\n"
    "Home/End the first or last key, Left/Right the track, Shift with them selects,\n"
    "Enter types a value, Delete removes keys, I cycles the interpolation, Alt+Up/Down\n"
    "nudges by 1 (with Shift 0.1), Ctrl+C/V copy and paste, Ctrl+Z/Y undo and redo.\n"
    "Ctrl+S saves the changed tracks to data/sync; with tracks not saved, Escape or\n"
    "closing the window must come twice within 2 s.\n"
    "--sync-editor connects to a sync editor (port 1338 when only a host is given, host\n"
    "127.0.0.1 when only a port), and tries again every 2 s while it cannot.\n";

bool ParseSyncEditorAddress(const std::string& value, std::string& host, uint16_t& port) {
    if (AllDigits(value)) {
        host = "127.0.0.1";
        return ParsePort(value, port);
    }
    const size_t colon = value.find(':');
    host = value.substr(0, colon);
    port = syncprotocol::kDefaultPort;
    return PlainHost(host) && (colon == std::string::npos || ParsePort(value.substr(colon + 1), port));
}

bool ParseLiveOptions(const std::vector<std::string>& arguments, LiveOptions& options, std::string& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--paused") {
            options.paused = true;
            continue;
        }
        if (name == "--fullscreen") {
            options.fullscreen = true;
            continue;
        }
        if (name != "--start" && name != "--size" && name != "--sync-editor") {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        bool valid = false;
        if (name == "--start")
            valid = ParseTime(value, options.start);
        else if (name == "--size")
            valid = ParseSize(value, options.width, options.height);
        else
            valid = ParseSyncEditorAddress(value, options.syncEditorHost, options.syncEditorPort);
        if (!valid) {
            error = "bad value '" + value + "' for " + name;
            if (name == "--sync-editor")
                error += " (HOST[:PORT] or PORT, a port from 1 to 65535)";
            return false;
        }
    }
    return true;
}
