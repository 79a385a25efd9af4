#pragma once

#include <map>
#include <string>

class ImageCodec;

// Image codecs by file extension (compared exactly, so case matters); filled
// during static initialisation, only read afterwards.
class ImageCodecRegistry {
public:
    using Factory = ImageCodec* (*)();

    static ImageCodecRegistry& Instance();

    // An extension already present keeps its codec; false then.
    bool Register(const std::string& extension, Factory factory);
    // A new codec, or null for an unknown extension.
    ImageCodec* Create(const std::string& extension) const;

private:
    std::map<std::string, Factory> factories;
};

// A static object of this type registers a codec before main runs.
struct ImageCodecRegistration {
    ImageCodecRegistration(const char* extension, ImageCodecRegistry::Factory factory) {
        ImageCodecRegistry::Instance().Register(extension, factory);
    }
};
