#include "tools/live/ReloadBoard.h"

void ReloadBoard::Note(const ReloadReport& report, const std::string& timeOfDay) {
    history.push_front({timeOfDay, report});
    if (history.size() > kHistoryLength)
        history.pop_back();
    if (report.path.empty())
        return;
    if (report.ok)
        broken.erase(report.path);
    else
        broken[report.path] = report;
}
