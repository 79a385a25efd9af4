#include "tools/live/ReloadDecision.h"

ReloadStep DecideReload(const FileStanding& file) {
    if (!file.exists)
        return file.used ? ReloadStep::Gone : ReloadStep::Ignore;
    return file.used || !file.showBuilt ? ReloadStep::Check : ReloadStep::NotUsed;
}
