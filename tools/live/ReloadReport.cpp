#include "tools/live/ReloadReport.h"

ReloadReport GoneReport(const std::string& path) {
    return {path, false, 0, "the file is gone: the show still uses it", ReloadFate::Gone};
}

ReloadReport NotUsedReport(const std::string& path) { return {path, true, 0, "", ReloadFate::NotUsed}; }

std::string FormatReloadLine(const ReloadReport& report) {
    const std::string head = "reload " + report.path;
    if (report.fate == ReloadFate::Gone)
        return head + " gone";
    if (report.fate == ReloadFate::NotUsed)
        return head + " not used by the show";
    if (report.fate == ReloadFate::Kept)
        return head + " kept: " + report.message;
    if (report.ok)
        return head + " ok";
    return head + " error " + ReloadText(report);
}

std::string ReloadText(const ReloadReport& report) {
    if (report.fate == ReloadFate::NotUsed)
        return "not used by the show";
    if (report.ok && report.fate == ReloadFate::Checked)
        return "ok";
    return report.line > 0 ? std::to_string(report.line) + ": " + report.message : report.message;
}

const char* ReloadTag(const ReloadReport& report) {
    switch (report.fate) {
    case ReloadFate::Gone: return "gone";
    case ReloadFate::NotUsed: return "--";
    case ReloadFate::Kept: return "kept";
    case ReloadFate::Checked: break;
    }
    return report.ok ? "ok" : "fail";
}
