#include "engine/files/MeshCodecRegistry.h"

MeshCodecRegistry& MeshCodecRegistry::Instance() {
    static MeshCodecRegistry registry;
    return registry;
}

bool MeshCodecRegistry::Register(const std::string& extension, Factory factory) {
    return factories.emplace(extension, factory).second;
}

MeshCodec* MeshCodecRegistry::Create(const std::string& extension) const {
    auto found = factories.find(extension);
    return found == factories.end() ? nullptr : found->second();
}
