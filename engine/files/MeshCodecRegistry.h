#pragma once

#include <map>
#include <string>

class MeshCodec;

// Mesh codecs by file extension (compared exactly, so case matters); filled
// during static initialisation, only read afterwards.
class MeshCodecRegistry {
public:
    using Factory = MeshCodec* (*)();

    static MeshCodecRegistry& Instance();

    // An extension already present keeps its codec; false then.
    bool Register(const std::string& extension, Factory factory);
    // A new codec, or null for an unknown extension.
    MeshCodec* Create(const std::string& extension) const;

private:
    std::map<std::string, Factory> factories;
};

// A static object of this type registers a codec before main runs.
struct MeshCodecRegistration {
    MeshCodecRegistration(const char* extension, MeshCodecRegistry::Factory factory) {
        MeshCodecRegistry::Instance().Register(extension, factory);
    }
};
