#pragma once

#include <string>

// Told about a changed file, with the path spelled as the file system names it.
class FileChangeListener {
public:
    virtual ~FileChangeListener() = default;
    virtual void OnFileChanged(const std::string& path) = 0;
};
