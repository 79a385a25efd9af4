#pragma once

#include <string>

// What else than a check became of a changed file.
enum class ReloadFate {
    Checked,  // checked, and reloaded (ok) or kept back (error)
    Gone,     // a file the show uses is no longer there; an error
    NotUsed,  // a shader or image that no program or texture of the show uses
    Kept,     // changed on disk, but the tool's own unsaved edits of it stand
};

// What became of one changed file: reloaded (ok), or kept back because it
// does not build, with the line in that file and the driver's message.
struct ReloadReport {
    std::string path;
    bool ok = true;
    int line = 0;  // 0 when the message has no line in this file
    std::string message;
    ReloadFate fate = ReloadFate::Checked;
};

ReloadReport GoneReport(const std::string& path);
ReloadReport NotUsedReport(const std::string& path);

// "reload <path> ok", "reload <path> error <line>: <message>" ("error
// <message>" without a line), "reload <path> gone", "reload <path> not
// used by the show" or "reload <path> kept: <message>".
std::string FormatReloadLine(const ReloadReport& report);

// What the overlay says of a report: "ok", "41: <message>", "the file is gone"...
std::string ReloadText(const ReloadReport& report);
// The report in a word, for the overlay's history: "ok", "fail", "gone",
// "kept" or "--" for a file the show does not use.
const char* ReloadTag(const ReloadReport& report);
