#include "tools/live/ReloadDecision.h"

ReloadStep DecideReload(const FileStanding& file) {
    if (!file.exists)
        return file.used ? ReloadStep::Gone : ReloadStep::Ignore;
    return file.used || !file.showBuilt ? ReloadStep::Check : ReloadStep::NotUsed;
}

TrackReloadStep DecideTrackReload(const TrackFileStanding& file) {
    if (!file.exists) {
        // A track without keys loses nothing with its file, unless the file
        // was listed broken and has to leave the list.
        const bool worthAWord = file.offered && !file.reportedGone && (file.trackHasKeys || file.refused);
        return worthAWord ? TrackReloadStep::Gone : TrackReloadStep::Silent;
    }
    if (!file.offered) {
        // While the show is not built, its tracks are not all bound yet: the
        // file is only read, for its errors.
        if (file.showBuilt)
            return TrackReloadStep::NotUsed;
        return file.reads ? TrackReloadStep::Ok : TrackReloadStep::Refuse;
    }
    if (!file.reads)
        return TrackReloadStep::Refuse;
    if (file.sameKeys)
        return file.refused || file.reportedGone ? TrackReloadStep::Ok : TrackReloadStep::Silent;
    return file.unsavedEdits ? TrackReloadStep::KeepEdits : TrackReloadStep::Load;
}
