#pragma once

#ifdef _WIN32

#include <filesystem>
#include <fstream>
#include <iterator>
#include <process.h>
#include <string>

// A fresh directory under the system's temporary folder, removed with
// everything in it at the end.
class Win32ScratchDirectory {
public:
    Win32ScratchDirectory() {
        static int made = 0;
        path = (std::filesystem::temp_directory_path() /
                ("zpwin32-" + std::to_string(_getpid()) + "-" + std::to_string(++made)))
                   .string();
        std::filesystem::create_directories(path);
    }
    ~Win32ScratchDirectory() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    Win32ScratchDirectory(const Win32ScratchDirectory&) = delete;
    Win32ScratchDirectory& operator=(const Win32ScratchDirectory&) = delete;

    std::string File(const std::string& name) const { return path + "\\" + name; }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }

    std::string Read(const std::string& name) const {
        std::ifstream file(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    std::string path;
};

#endif
