#include "engine/files/ImageCodecRegistry.h"

ImageCodecRegistry& ImageCodecRegistry::Instance() {
    static ImageCodecRegistry registry;
    return registry;
}

bool ImageCodecRegistry::Register(const std::string& extension, Factory factory) {
    return factories.emplace(extension, factory).second;
}

ImageCodec* ImageCodecRegistry::Create(const std::string& extension) const {
    auto found = factories.find(extension);
    return found == factories.end() ? nullptr : found->second();
}
