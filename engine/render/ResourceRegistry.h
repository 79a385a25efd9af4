#pragma once

#include "engine/render/ResourceHandle.h"

#include <map>
#include <memory>
#include <string>

// A manager's name map: normalised keys to uncounted handle pointers. The
// map does not keep a resource alive; its destruction erases the entry.
class ResourceRegistry {
public:
    // A counted reference into out when the key is present.
    bool Find(const std::string& key, ResourceReference& out) const;
    ResourceHandle* FindHandle(const std::string& key) const;
    // Wraps the resource in a new handle, registers it and references it into out.
    void Store(const std::string& key, std::unique_ptr<Resource> resource, ResourceReference& out);
    void Erase(const std::string& key) { handles.erase(key); }
    // Destroys the handles one by one; each destruction erases its entry.
    void DestroyAll();

    const std::map<std::string, ResourceHandle*>& Entries() const { return handles; }
    bool Empty() const { return handles.empty(); }

private:
    std::map<std::string, ResourceHandle*> handles;
};
