#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

// What one look at a watcher's notifications found.
enum class WatchReadResult {
    Read,            // the changes since the last look (perhaps none)
    Failed,          // the notifications cannot be read any more
    CannotContinue,  // changes were read, but watching cannot go on
};

// What happened to one name, as the OS tells it.
enum class WatchAction {
    Written,      // contents or write time
    Created,
    Removed,
    RenamedFrom,  // the old name of a rename
    RenamedTo,    // the new name, which may replace a file of that name
};

// One notification. Names are relative to the watched directory and use '/'.
struct WatchRecord {
    std::string name;
    WatchAction action = WatchAction::Written;
    bool isDirectory = false;
};

// The OS's change notifications for one directory tree, read without waiting.
class DirectoryWatcher {
public:
    virtual ~DirectoryWatcher() = default;
    // Binds the watcher to an existing directory; false when it cannot be.
    virtual bool Open(const std::string& directory) = 0;
    // Starts watching the directory, or the whole tree below it; false when
    // any part of it cannot be watched.
    virtual bool Watch(bool recursive) = 0;
    // Appends the notifications since the last look, in the order they
    // happened; a name may come more than once.
    virtual WatchReadResult ReadChanges(std::vector<WatchRecord>& records) = 0;
};

// A new watcher bound to nothing.
std::unique_ptr<DirectoryWatcher> CreateDirectoryWatcher();

}
