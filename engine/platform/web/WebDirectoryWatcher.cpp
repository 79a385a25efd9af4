#include "engine/platform/DirectoryWatcher.h"

namespace platform {

namespace {

// The page's files come from the server once: nothing changes under it.
class WebDirectoryWatcher : public DirectoryWatcher {
public:
    bool Open(const std::string& /*directory*/) override { return false; }
    bool Watch(bool /*recursive*/) override { return false; }
    WatchReadResult ReadChanges(std::vector<WatchRecord>& /*records*/) override { return WatchReadResult::Failed; }
};

}

std::unique_ptr<DirectoryWatcher> CreateDirectoryWatcher() { return std::make_unique<WebDirectoryWatcher>(); }

}
