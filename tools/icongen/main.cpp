// zpicongen: makes the show's menu icon from its title card.
// Usage: zpicongen CARD.tga ICON.png
#include "engine/files/Image.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/TgaCodec.h"
#include "tools/icongen/TitleIcon.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

bool ReadCard(const char* path, RgbPicture& card) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        std::fprintf(stderr, "zpicongen: cannot read %s\n", path);
        return false;
    }
    MemoryStream stream;
    stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    stream.Seek(0, SeekOrigin::Begin);
    std::unique_ptr<Image> image(TgaCodec().Decode(stream));
    if (!image || image->format != R8G8B8) {
        std::fprintf(stderr, "zpicongen: %s is not a 24-bit TGA image\n", path);
        return false;
    }
    card.width = image->width;
    card.height = image->height;
    card.rgb.assign(image->pixels.get(), image->pixels.get() + image->ByteSize());
    return true;
}

}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zpicongen CARD.tga ICON.png\n");
        return 2;
    }
    RgbPicture card, icon;
    std::string error;
    if (!ReadCard(argv[1], card))
        return 1;
    if (!MakeTitleIcon(card, kIconSize, icon, error)) {
        std::fprintf(stderr, "zpicongen: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (!WritePngFile(argv[2], icon)) {
        std::fprintf(stderr, "zpicongen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
