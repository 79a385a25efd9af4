#pragma once

#include <cstdint>
#include <string>

class ResourceManager;

// A named GPU resource handed out by a resource manager.
class Resource {
public:
    Resource(ResourceManager* manager, const std::string& name) : manager(manager), name(name) {}
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;
    // Derived destructors free their GL object first; then the manager forgets
    // the name.
    virtual ~Resource();

    // Frees the GL object and keeps this one.
    virtual void Release() = 0;
    virtual bool IsValid() const = 0;
    virtual uint32_t GetMemorySize() const { return 0; }

    const std::string& GetName() const { return name; }
    ResourceManager* GetManager() const { return manager; }

private:
    ResourceManager* manager;  // not owned; may be null
    std::string name;
};
