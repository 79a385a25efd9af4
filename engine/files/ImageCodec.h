#pragma once

struct Image;
class InputStream;
class OutputStream;

class ImageCodec {
public:
    virtual ~ImageCodec() = default;
    // A new image owned by the caller, or null when the data cannot be decoded.
    virtual Image* Decode(InputStream& in) = 0;
    virtual bool Encode(const Image& image, OutputStream& out) = 0;
};
