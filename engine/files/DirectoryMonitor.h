#pragma once

#include "engine/platform/DirectoryWatcher.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// The changed paths of one poll, each mapped to true and listed once.
using ChangeSet = std::map<std::string, bool>;

// The files that one poll's notifications changed, each once in name order:
// written, new, removed or replaced. Directories are no changes, nor is a
// file that came and went between two polls, such as the temporary file an
// editor writes and renames over the one it saves, nor a temporary file of
// the ".<name>.tmp" kind at all (IsTemporaryFileName).
std::vector<std::string> ChangedFiles(const std::vector<platform::WatchRecord>& records);

// Watches a directory tree and hands back, at each poll, the files changed
// since the last one (see ChangedFiles), spelled the way the file system names files
// ("data/shaders/base/colored.fs"), so that their owners can reload them.
// Polling never blocks. Made through FactoryRegistry<DirectoryMonitor>, id 1.
class DirectoryMonitor {
public:
    DirectoryMonitor();
    DirectoryMonitor(const DirectoryMonitor&) = delete;
    DirectoryMonitor& operator=(const DirectoryMonitor&) = delete;

    virtual ~DirectoryMonitor();
    // False at once when active; otherwise false (and an error) when the
    // directory cannot be watched, leaving the monitor inactive.
    virtual bool Start(const std::string& directory, bool recursive);
    // Harmless when inactive; the monitor can be started again.
    virtual void Stop();
    virtual bool IsActive() const;
    virtual const std::string& GetDirectory() const;
    // Fills changes with what changed since the last poll. False when
    // inactive or when monitoring has broken down, which stops the monitor.
    virtual bool Poll(ChangeSet& changes);

private:
    bool Fail();

    std::string directory;
    bool recursive = false;
    std::unique_ptr<platform::DirectoryWatcher> watcher;
};
