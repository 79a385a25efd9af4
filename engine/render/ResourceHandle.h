#pragma once

#include "engine/render/Resource.h"

#include <cstdint>
#include <memory>

// Holds one resource for everyone who uses it: the last dropped reference
// destroys the holder and with it the resource.
class ResourceHandle {
public:
    explicit ResourceHandle(std::unique_ptr<Resource> resource) : resource(std::move(resource)) {}
    ResourceHandle(const ResourceHandle&) = delete;
    ResourceHandle& operator=(const ResourceHandle&) = delete;
    virtual ~ResourceHandle() = default;

    Resource* GetResource() const { return resource.get(); }
    int32_t GetRefCount() const { return refCount; }

    void AddReference() { ++refCount; }
    // Destroys this handle when the count reaches 0.
    void DropReference();

private:
    int32_t refCount = 0;
    std::unique_ptr<Resource> resource;
};

// A counted reference to a handle; copies count too.
class ResourceReference {
public:
    ResourceReference() = default;
    explicit ResourceReference(ResourceHandle* handle);
    ResourceReference(const ResourceReference& other);
    ResourceReference(ResourceReference&& other) noexcept;
    ResourceReference& operator=(const ResourceReference& other);
    ResourceReference& operator=(ResourceReference&& other) noexcept;
    ~ResourceReference();

    // Drops the reference held, if any.
    void Reset();

    ResourceHandle* GetHandle() const { return handle; }
    Resource* Get() const { return handle ? handle->GetResource() : nullptr; }
    template <typename T>
    T* As() const {
        return static_cast<T*>(Get());
    }
    explicit operator bool() const { return handle != nullptr; }

private:
    ResourceHandle* handle = nullptr;
};
