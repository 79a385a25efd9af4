#include "engine/files/DirectoryMonitor.h"

#include "engine/core/FactoryRegistry.h"
#include "engine/core/Message.h"
#include "engine/files/TemporaryFileName.h"

namespace {

DirectoryMonitor* CreateDirectoryMonitor() { return new DirectoryMonitor; }
const FactoryRegistration<DirectoryMonitor> registration(1, CreateDirectoryMonitor);

}

std::vector<std::string> ChangedFiles(const std::vector<platform::WatchRecord>& records) {
    using platform::WatchAction;
    struct History {
        bool before = true;  // the file was there at the last poll
        bool after = true;   // and is there now
    };
    std::map<std::string, History> files;
    for (const platform::WatchRecord& record : records) {
        if (record.isDirectory || IsTemporaryFileName(record.name))
            continue;
        const bool arrives = record.action == WatchAction::Created || record.action == WatchAction::RenamedTo;
        const bool leaves = record.action == WatchAction::Removed || record.action == WatchAction::RenamedFrom;
        // Only the first record tells whether the file was there before.
        auto found = files.try_emplace(record.name, History{!arrives, true}).first;
        found->second.after = !leaves;
    }
    std::vector<std::string> changed;
    for (const auto& [name, history] : files)
        if (history.before || history.after)
            changed.push_back(name);
    return changed;
}

DirectoryMonitor::DirectoryMonitor() = default;

DirectoryMonitor::~DirectoryMonitor() { Stop(); }

bool DirectoryMonitor::Start(const std::string& watchedDirectory, bool watchRecursively) {
    if (IsActive())
        return false;
    directory = watchedDirectory;
    recursive = watchRecursively;
    std::unique_ptr<platform::DirectoryWatcher> opened = platform::CreateDirectoryWatcher();
    if (!opened->Open(directory)) {
        Message(LOG_ERROR, "Cannot set up the monitoring of file change notifications for directory '%s'.",
                directory.c_str());
        return Fail();
    }
    if (!opened->Watch(recursive)) {
        Message(LOG_ERROR, "Cannot start monitoring of file change notifications for directory '%s'.",
                directory.c_str());
        return Fail();
    }
    watcher = std::move(opened);
    return true;
}

void DirectoryMonitor::Stop() {
    watcher.reset();
    directory.clear();
    recursive = false;
}

bool DirectoryMonitor::IsActive() const { return watcher != nullptr; }

const std::string& DirectoryMonitor::GetDirectory() const { return directory; }

bool DirectoryMonitor::Poll(ChangeSet& changes) {
    if (!IsActive())
        return false;
    changes.clear();
    std::vector<platform::WatchRecord> records;
    const platform::WatchReadResult result = watcher->ReadChanges(records);
    if (result == platform::WatchReadResult::Failed)
        return Fail();
    for (const std::string& name : ChangedFiles(records))
        changes[directory + "/" + name] = true;
    if (result == platform::WatchReadResult::CannotContinue) {
        // The changes read so far stay reported; nothing more will come.
        Message(LOG_ERROR, "Cannot continue monitoring of file change notifications for directory '%s'.",
                directory.c_str());
        return Fail();
    }
    return true;
}

// Whatever was acquired is released: a broken monitor is an inactive one.
bool DirectoryMonitor::Fail() {
    Stop();
    return false;
}
