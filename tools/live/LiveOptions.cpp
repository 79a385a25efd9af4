#include "tools/live/LiveOptions.h"

#include "tools/shared/CommandLineValues.h"

const char* const kLiveUsage =
    "usage: zplive [--start SECONDS] [--paused] [--size WxH] [--fullscreen]\n"
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
    "closing the window must come twice within 2 s.\n";

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
        if (name != "--start" && name != "--size") {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        const bool valid = name == "--start" ? ParseTime(value, options.start)
                                             : ParseSize(value, options.width, options.height);
        if (!valid) {
            error = "bad value '" + value + "' for " + name;
            return false;
        }
    }
    return true;
}
