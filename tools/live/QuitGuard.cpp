#include "tools/live/QuitGuard.h"

bool QuitGuard::MayQuit(double now, bool unsavedChanges) {
    if (!unsavedChanges || Warning(now))
        return true;
    warned = true;
    warnedAt = now;
    return false;
}
