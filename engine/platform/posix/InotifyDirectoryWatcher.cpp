#include "engine/platform/DirectoryListing.h"
#include "engine/platform/DirectoryWatcher.h"

#include <cerrno>
#include <map>
#include <sys/inotify.h>
#include <unistd.h>

namespace platform {

namespace {

// Writes and new write times (touch), names that come and go, and new
// subdirectories, which a recursive watch must follow.
constexpr uint32_t kWrites = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE;
constexpr uint32_t kWatchMask = kWrites | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr size_t kEventBufferSize = 64 * 1024;
constexpr int kReadsPerLook = 16;

std::string JoinPath(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : parent + "/" + name;
}

// One event may carry several of these bits; the name changes say more.
bool ActionOf(uint32_t mask, WatchAction& action) {
    if (mask & IN_CREATE)
        action = WatchAction::Created;
    else if (mask & IN_DELETE)
        action = WatchAction::Removed;
    else if (mask & IN_MOVED_FROM)
        action = WatchAction::RenamedFrom;
    else if (mask & IN_MOVED_TO)
        action = WatchAction::RenamedTo;
    else if (mask & kWrites)
        action = WatchAction::Written;
    else
        return false;
    return true;
}

// inotify watches single directories: a tree is one watch per directory,
// each remembering its path below the root.
class InotifyDirectoryWatcher : public DirectoryWatcher {
public:
    ~InotifyDirectoryWatcher() override {
        if (queue >= 0)
            close(queue);
    }

    bool Open(const std::string& directory) override {
        root = directory;
        queue = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (queue >= 0)
            rootWatch = AddWatch("");
        return rootWatch >= 0;
    }

    bool Watch(bool watchTree) override {
        recursive = watchTree;
        return !recursive || WatchSubdirectories("", nullptr);
    }

    WatchReadResult ReadChanges(std::vector<WatchRecord>& records) override {
        alignas(inotify_event) char buffer[kEventBufferSize];
        bool watching = true;
        // Bounded, so that a flood of writes cannot hold up the caller's
        // frame; what is left waits for the next look.
        for (int pass = 0; pass < kReadsPerLook; ++pass) {
            const ssize_t length = read(queue, buffer, sizeof buffer);
            if (length < 0 && errno == EINTR)
                continue;
            if (length < 0 && errno == EAGAIN)
                break;
            if (length <= 0)
                return WatchReadResult::Failed;
            watching = HandleEvents(buffer, static_cast<size_t>(length), records) && watching;
        }
        if (!directories.count(rootWatch))
            return WatchReadResult::Failed;  // the directory itself is gone
        return watching ? WatchReadResult::Read : WatchReadResult::CannotContinue;
    }

private:
    // The watch's id, or -1.
    int AddWatch(const std::string& relative) {
        const std::string path = relative.empty() ? root : root + "/" + relative;
        // The root may be a link; links inside the tree are not followed, so
        // a walk cannot loop.
        const uint32_t follow = relative.empty() ? 0 : IN_DONT_FOLLOW;
        const int watch = inotify_add_watch(queue, path.c_str(), kWatchMask | IN_ONLYDIR | follow);
        // A directory moved within the tree keeps its watch under a new path.
        if (watch >= 0)
            directories[watch] = relative;
        return watch;
    }

    // Watches every directory below relative. A directory that arrives while
    // watching runs may already hold files written before its watch existed:
    // found names them as new.
    bool WatchSubdirectories(const std::string& relative, std::vector<WatchRecord>* found) {
        std::vector<DirectoryEntry> entries;
        if (!ListDirectory(relative.empty() ? root : root + "/" + relative, entries))
            return false;
        bool complete = true;
        for (const DirectoryEntry& entry : entries) {
            if (entry.name == "." || entry.name == "..")
                continue;
            const std::string child = JoinPath(relative, entry.name);
            if (!entry.isDirectory) {
                if (found)
                    found->push_back({child, WatchAction::Created, false});
            } else if (AddWatch(child) < 0 || !WatchSubdirectories(child, found)) {
                complete = false;
            }
        }
        return complete;
    }

    bool HandleEvents(const char* buffer, size_t length, std::vector<WatchRecord>& records) {
        bool watching = true;
        for (size_t offset = 0; offset + sizeof(inotify_event) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            watching = HandleEvent(*event, records) && watching;
            offset += sizeof(inotify_event) + event->len;
        }
        return watching;
    }

    // False when a new subdirectory cannot be watched.
    bool HandleEvent(const inotify_event& event, std::vector<WatchRecord>& records) {
        if (event.mask & IN_IGNORED) {
            directories.erase(event.wd);
            return true;
        }
        auto directory = directories.find(event.wd);
        // An overflowed queue names nothing; events about a watched
        // directory itself carry no name.
        if (directory == directories.end() || event.len == 0 || event.name[0] == '\0')
            return true;
        const std::string path = JoinPath(directory->second, event.name);
        const bool isDirectory = (event.mask & IN_ISDIR) != 0;
        WatchAction action;
        if (ActionOf(event.mask, action))
            records.push_back({path, action, isDirectory});
        if (!isDirectory || !recursive || !(event.mask & (IN_CREATE | IN_MOVED_TO)))
            return true;
        return AddWatch(path) >= 0 && WatchSubdirectories(path, &records);
    }

    std::string root;
    bool recursive = false;
    int queue = -1;
    int rootWatch = -1;
    std::map<int, std::string> directories;
};

}

std::unique_ptr<DirectoryWatcher> CreateDirectoryWatcher() { return std::make_unique<InotifyDirectoryWatcher>(); }

}
