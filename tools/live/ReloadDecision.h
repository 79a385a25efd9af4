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
