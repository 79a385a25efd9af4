#pragma once

// What is known of a changed shader or image when it is to be handled.
struct FileStanding {
    bool exists = true;
    // A loaded program or texture takes it, directly or through an include,
    // or the show asked for it and failed.
    bool used = false;
    // The show is built, so that what it uses is known; while it is not, any
    // file may be one it needs.
    bool showBuilt = true;
};

enum class ReloadStep {
    Check,    // check it and hand it to its manager
    Gone,     // report it gone
    NotUsed,  // report that the show does not use it
    Ignore,   // say nothing: a file nobody used went away
};

ReloadStep DecideReload(const FileStanding& file);

// What is known of a changed track file, data/sync/<name>.track.
struct TrackFileStanding {
    bool exists = true;
    // The show offers the track the file's name stands for.
    bool offered = false;
    bool showBuilt = true;
    // Its keys read; false when the reader refused the file.
    bool reads = true;
    // They are the track's keys already, as after the tool's own save.
    bool sameKeys = false;
    bool trackHasKeys = false;
    // The tracker holds edits of the track that are not saved yet.
    bool unsavedEdits = false;
    // The last report of the file listed it broken: refused, or gone.
    bool refused = false;
    bool reportedGone = false;
};

enum class TrackReloadStep {
    Silent,     // no change worth a word
    Load,       // the file's keys replace the track's
    Ok,         // say it reads, and leave the keys as they are
    Refuse,     // keep the keys and list the file broken with the reader's reason
    KeepEdits,  // keep the unsaved edits, and say so
    Gone,       // the file went; the track keeps its keys
    NotUsed,    // the show offers no such track
};

TrackReloadStep DecideTrackReload(const TrackFileStanding& file);
