#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A fresh directory in the system's temporary folder, removed with
// everything in it at the end. Paths use forward slashes on every system.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::random_device seed;
        std::mt19937 random(seed());
        const std::filesystem::path root = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
            const std::filesystem::path candidate = root / ("zpfiles-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error))
                path = candidate.generic_string();
        }
    }
    ~TemporaryDirectory() {
        std::error_code error;
        if (!path.empty())
            std::filesystem::remove_all(path, error);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    std::string path;
};

// Makes a directory the working directory and restores the old one at the end.
class WorkingDirectoryScope {
public:
    explicit WorkingDirectoryScope(const std::string& directory) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(directory);
    }
    ~WorkingDirectoryScope() { std::filesystem::current_path(previous); }
    WorkingDirectoryScope(const WorkingDirectoryScope&) = delete;
    WorkingDirectoryScope& operator=(const WorkingDirectoryScope&) = delete;

private:
    std::filesystem::path previous;
};

// Writes the bytes, creating the directories on the way.
inline void WriteTestFile(const std::string& path, const std::string& bytes) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent);
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadTestFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
