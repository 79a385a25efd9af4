#include "engine/render/ResourceRegistry.h"

bool ResourceRegistry::Find(const std::string& key, ResourceReference& out) const {
    ResourceHandle* handle = FindHandle(key);
    if (!handle)
        return false;
    out = ResourceReference(handle);
    return true;
}

ResourceHandle* ResourceRegistry::FindHandle(const std::string& key) const {
    auto found = handles.find(key);
    return found == handles.end() ? nullptr : found->second;
}

void ResourceRegistry::Store(const std::string& key, std::unique_ptr<Resource> resource, ResourceReference& out) {
    auto* handle = new ResourceHandle(std::move(resource));
    handles[key] = handle;
    out = ResourceReference(handle);
}

void ResourceRegistry::DestroyAll() {
    while (!handles.empty()) {
        std::string key = handles.begin()->first;
        delete handles.begin()->second;
        // The resource's destructor erased the entry, unless it belongs to no manager.
        handles.erase(key);
    }
}
