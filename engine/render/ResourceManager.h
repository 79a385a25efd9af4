#pragma once

#include <cstdint>
#include <string>

// What every resource manager offers its resources: a resource that is
// destroyed tells its manager to forget it.
class ResourceManager {
public:
    virtual ~ResourceManager() = default;
    // Called only by resource destructors; the handle is being destroyed.
    virtual void Remove(const std::string& name) = 0;

    // "__unique_%d" with this manager's counter, which then counts on.
    std::string MakeUniqueName();

private:
    uint32_t uniqueCounter = 0;
};

// Lower case, forward slashes; nothing else changes.
std::string NormalizePath(const std::string& path);
