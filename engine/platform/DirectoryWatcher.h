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

// The OS's change notifications for one directory tree, read without waiting.
// Names are relative to the watched directory and use '/'.
class DirectoryWatcher {
public:
    virtual ~DirectoryWatcher() = default;
    // Binds the watcher to an existing directory; false when it cannot be.
    virtual bool Open(const std::string& directory) = 0;
    // Starts watching the directory, or the whole tree below it; false when
    // any part of it cannot be watched.
    virtual bool Watch(bool recursive) = 0;
    // Appends the files whose contents or write time changed; a file may be
    // named more than once.
    virtual WatchReadResult ReadChanges(std::vector<std::string>& names) = 0;
};

// A new watcher bound to nothing.
std::unique_ptr<DirectoryWatcher> CreateDirectoryWatcher();

}
