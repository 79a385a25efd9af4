#include "engine/render/ResourceHandle.h"

#include <utility>

void ResourceHandle::DropReference() {
    if (--refCount <= 0)
        delete this;
}

ResourceReference::ResourceReference(ResourceHandle* handle) : handle(handle) {
    if (handle)
        handle->AddReference();
}

ResourceReference::ResourceReference(const ResourceReference& other) : ResourceReference(other.handle) {}

ResourceReference::ResourceReference(ResourceReference&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}

ResourceReference& ResourceReference::operator=(const ResourceReference& other) {
    if (other.handle == handle)
        return *this;
    if (other.handle)
        other.handle->AddReference();
    Reset();
    handle = other.handle;
    return *this;
}

ResourceReference& ResourceReference::operator=(ResourceReference&& other) noexcept {
    if (this == &other)
        return *this;
    if (other.handle == handle) {
        other.Reset();
        return *this;
    }
    Reset();
    handle = std::exchange(other.handle, nullptr);
    return *this;
}

ResourceReference::~ResourceReference() { Reset(); }

void ResourceReference::Reset() {
    if (ResourceHandle* dropped = std::exchange(handle, nullptr))
        dropped->DropReference();
}
