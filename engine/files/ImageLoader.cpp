#include "engine/files/ImageLoader.h"

#include "engine/files/CodecLoader.h"
#include "engine/files/Image.h"
#include "engine/files/ImageCodec.h"
#include "engine/files/ImageCodecRegistry.h"

Image* LoadImage(const std::string& path) { return LoadWithCodec<Image, ImageCodecRegistry>(path, "image"); }
