#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/DirectoryListing.h"
#include "engine/platform/DirectoryWatcher.h"

#include <cstddef>
#include <set>

namespace platform {

namespace {

// Writes, new write times, and names that come and go; the directories'
// names too, so that the watcher knows a directory when it goes.
constexpr DWORD kNotifyFilter = FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE |
                                FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
// Below 64 KiB, the largest a request on a network share may take.
constexpr DWORD kBufferBytes = 60 * 1024;
constexpr int kReadsPerLook = 16;

bool ActionOf(DWORD code, WatchAction& action) {
    switch (code) {
    case FILE_ACTION_ADDED: action = WatchAction::Created; return true;
    case FILE_ACTION_REMOVED: action = WatchAction::Removed; return true;
    case FILE_ACTION_MODIFIED: action = WatchAction::Written; return true;
    case FILE_ACTION_RENAMED_OLD_NAME: action = WatchAction::RenamedFrom; return true;
    case FILE_ACTION_RENAMED_NEW_NAME: action = WatchAction::RenamedTo; return true;
    default: return false;
    }
}

// The notifications carry UTF-16 names with '\' between the components.
std::string NarrowName(const wchar_t* name, DWORD bytes) {
    const int length = static_cast<int>(bytes / sizeof(wchar_t));
    const int size = WideCharToMultiByte(CP_ACP, 0, name, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, name, length, &text[0], size, nullptr, nullptr);
    for (char& c : text)
        if (c == '\\')
            c = '/';
    return text;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// One directory handle with one overlapped change request outstanding at a
// time; the system keeps collecting changes between two requests.
class Win32DirectoryWatcher : public DirectoryWatcher {
public:
    Win32DirectoryWatcher() : buffer(new DWORD[kBufferBytes / sizeof(DWORD)]) {}

    ~Win32DirectoryWatcher() override {
        // The system writes into the buffer until the request has ended.
        if (pending) {
            CancelIo(directoryHandle);
            DWORD bytes = 0;
            GetOverlappedResult(directoryHandle, &request, &bytes, TRUE);
        }
        if (directoryHandle != INVALID_HANDLE_VALUE)
            CloseHandle(directoryHandle);
        if (request.hEvent)
            CloseHandle(request.hEvent);
    }

    Win32DirectoryWatcher(const Win32DirectoryWatcher&) = delete;
    Win32DirectoryWatcher& operator=(const Win32DirectoryWatcher&) = delete;

    bool Open(const std::string& directory) override {
        root = directory;
        if (!IsDirectory(directory))
            return false;
        directoryHandle = CreateFileA(directory.c_str(), FILE_LIST_DIRECTORY,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        request.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        return directoryHandle != INVALID_HANDLE_VALUE && request.hEvent;
    }

    bool Watch(bool watchTree) override {
        recursive = watchTree;
        if (!Request())
            return false;
        AddSubdirectories("", nullptr);
        return true;
    }

    WatchReadResult ReadChanges(std::vector<WatchRecord>& records) override {
        // Bounded, so that a flood of writes cannot hold up the caller's
        // frame; what is left waits for the next look.
        for (int pass = 0; pass < kReadsPerLook && pending; ++pass) {
            DWORD bytes = 0;
            if (!GetOverlappedResult(directoryHandle, &request, &bytes, FALSE)) {
                if (GetLastError() == ERROR_IO_INCOMPLETE)
                    break;
                pending = false;
                return WatchReadResult::Failed;
            }
            pending = false;
            // No bytes: more changes came than the buffer holds, and none is named.
            HandleNotifications(bytes, records);
            if (!Request())
                return WatchReadResult::CannotContinue;
        }
        if (!pending || !IsDirectory(root))
            return WatchReadResult::Failed;  // the directory itself is gone
        return WatchReadResult::Read;
    }

private:
    std::string PathOf(const std::string& name) const { return name.empty() ? root : root + "/" + name; }

    // Learns the subdirectories below name (the whole tree for a recursive
    // watch) and, when found is given, names the files there as new: a
    // directory moved into the tree reports nothing for what it holds.
    // Wine's tree watch follows only the subdirectories opened after it began
    // (and those created later); opening each once brings the whole tree in.
    void AddSubdirectories(const std::string& name, std::vector<WatchRecord>* found) {
        std::vector<DirectoryEntry> entries;
        if (!ListDirectory(PathOf(name), entries))
            return;
        for (const DirectoryEntry& entry : entries) {
            if (entry.name == "." || entry.name == "..")
                continue;
            const std::string child = name.empty() ? entry.name : name + "/" + entry.name;
            if (!entry.isDirectory) {
                if (found)
                    found->push_back({child, WatchAction::Created, false});
                continue;
            }
            directories.insert(child);
            if (!recursive)
                continue;
            HANDLE opened = CreateFileA(PathOf(child).c_str(), FILE_LIST_DIRECTORY,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (opened != INVALID_HANDLE_VALUE)
                CloseHandle(opened);
            AddSubdirectories(child, found);
        }
    }

    // A directory and everything the watcher knew below it.
    void ForgetDirectory(const std::string& name) {
        directories.erase(name);
        const std::string below = name + "/";
        auto first = directories.lower_bound(below);
        auto last = first;
        while (last != directories.end() && last->compare(0, below.size(), below) == 0)
            ++last;
        directories.erase(first, last);
    }

    bool Request() {
        ResetEvent(request.hEvent);
        pending = ReadDirectoryChangesW(directoryHandle, buffer.get(), kBufferBytes, recursive ? TRUE : FALSE,
                                        kNotifyFilter, nullptr, &request, nullptr) != 0;
        return pending;
    }

    void HandleNotifications(DWORD bytes, std::vector<WatchRecord>& records) {
        constexpr DWORD kHeaderBytes = offsetof(FILE_NOTIFY_INFORMATION, FileName);
        const char* start = reinterpret_cast<const char*>(buffer.get());
        for (DWORD offset = 0; offset + kHeaderBytes <= bytes;) {
            const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(start + offset);
            if (offset + kHeaderBytes + record->FileNameLength > bytes)
                return;
            HandleNotification(*record, records);
            if (record->NextEntryOffset == 0)
                return;
            offset += record->NextEntryOffset;
        }
    }

    // The records do not tell files from directories. A name that goes was
    // a directory when the watcher knew it as one; a name that comes is one
    // when it is a directory now.
    void HandleNotification(const FILE_NOTIFY_INFORMATION& notification, std::vector<WatchRecord>& records) {
        WatchRecord record;
        record.name = NarrowName(notification.FileName, notification.FileNameLength);
        if (record.name.empty() || !ActionOf(notification.Action, record.action))
            return;
        switch (record.action) {
        case WatchAction::Removed:
        case WatchAction::RenamedFrom:
            record.isDirectory = directories.count(record.name) != 0;
            ForgetDirectory(record.name);
            records.push_back(record);
            break;
        case WatchAction::Created:
        case WatchAction::RenamedTo:
            record.isDirectory = IsDirectory(PathOf(record.name));
            records.push_back(record);
            if (record.isDirectory) {
                directories.insert(record.name);
                if (recursive)
                    AddSubdirectories(record.name, &records);
            }
            break;
        case WatchAction::Written:
            record.isDirectory = directories.count(record.name) != 0 || IsDirectory(PathOf(record.name));
            records.push_back(record);
            break;
        }
    }

    std::string root;
    bool recursive = false;
    bool pending = false;
    std::set<std::string> directories;  // below root, as the notifications name them
    HANDLE directoryHandle = INVALID_HANDLE_VALUE;
    OVERLAPPED request{};
    std::unique_ptr<DWORD[]> buffer;  // DWORD-aligned, as the call needs
};

}

std::unique_ptr<DirectoryWatcher> CreateDirectoryWatcher() { return std::make_unique<Win32DirectoryWatcher>(); }

}
