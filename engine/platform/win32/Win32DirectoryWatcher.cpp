#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/DirectoryListing.h"
#include "engine/platform/DirectoryWatcher.h"

#include <cstddef>

namespace platform {

namespace {

// Writes, new write times and files saved by renaming over the old ones.
constexpr DWORD kNotifyFilter =
    FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_FILE_NAME;
// Below 64 KiB, the largest a request on a network share may take.
constexpr DWORD kBufferBytes = 60 * 1024;
constexpr int kReadsPerLook = 16;

bool NamesChangedFile(DWORD action) {
    return action == FILE_ACTION_ADDED || action == FILE_ACTION_MODIFIED || action == FILE_ACTION_RENAMED_NEW_NAME;
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
        if (recursive)
            OpenSubdirectoriesOnce(root);
        return true;
    }

    WatchReadResult ReadChanges(std::vector<std::string>& names) override {
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
            HandleNotifications(bytes, names);
            if (!Request())
                return WatchReadResult::CannotContinue;
        }
        if (!pending || !IsDirectory(root))
            return WatchReadResult::Failed;  // the directory itself is gone
        return WatchReadResult::Read;
    }

private:
    // Wine's tree watch follows only the subdirectories opened after it began
    // (and those created later); opening each once brings the whole tree in.
    // On Windows itself this is one walk over the tree at the start.
    static void OpenSubdirectoriesOnce(const std::string& directory) {
        std::vector<DirectoryEntry> entries;
        if (!ListDirectory(directory, entries))
            return;
        for (const DirectoryEntry& entry : entries) {
            if (!entry.isDirectory || entry.name == "." || entry.name == "..")
                continue;
            const std::string path = directory + "/" + entry.name;
            HANDLE opened = CreateFileA(path.c_str(), FILE_LIST_DIRECTORY,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (opened != INVALID_HANDLE_VALUE)
                CloseHandle(opened);
            OpenSubdirectoriesOnce(path);
        }
    }

    bool Request() {
        ResetEvent(request.hEvent);
        pending = ReadDirectoryChangesW(directoryHandle, buffer.get(), kBufferBytes, recursive ? TRUE : FALSE,
                                        kNotifyFilter, nullptr, &request, nullptr) != 0;
        return pending;
    }

    void HandleNotifications(DWORD bytes, std::vector<std::string>& names) {
        constexpr DWORD kHeaderBytes = offsetof(FILE_NOTIFY_INFORMATION, FileName);
        const char* start = reinterpret_cast<const char*>(buffer.get());
        for (DWORD offset = 0; offset + kHeaderBytes <= bytes;) {
            const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(start + offset);
            if (offset + kHeaderBytes + record->FileNameLength > bytes)
                return;
            HandleNotification(*record, names);
            if (record->NextEntryOffset == 0)
                return;
            offset += record->NextEntryOffset;
        }
    }

    // The watch reports directories too (their write time moves with what
    // they hold); only files are changes here.
    void HandleNotification(const FILE_NOTIFY_INFORMATION& record, std::vector<std::string>& names) {
        if (!NamesChangedFile(record.Action))
            return;
        const std::string name = NarrowName(record.FileName, record.FileNameLength);
        if (!name.empty() && !IsDirectory(root + "/" + name))
            names.push_back(name);
    }

    std::string root;
    bool recursive = false;
    bool pending = false;
    HANDLE directoryHandle = INVALID_HANDLE_VALUE;
    OVERLAPPED request{};
    std::unique_ptr<DWORD[]> buffer;  // DWORD-aligned, as the call needs
};

}

std::unique_ptr<DirectoryWatcher> CreateDirectoryWatcher() { return std::make_unique<Win32DirectoryWatcher>(); }

}
