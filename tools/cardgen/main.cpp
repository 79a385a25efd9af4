// zpcardgen [output root] [--preview directory]
// Writes the three title cards under data/textures below the output root
// (default: the working directory) and, when asked, a PPM of each for
// looking at.

#include "tools/cardgen/TgaWriter.h"
#include "tools/cardgen/TitleCards.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::vector<uint8_t> Ppm(const std::vector<uint8_t>& rgb) {
    const std::string header = "P6\n" + std::to_string(kCardSize) + " " + std::to_string(kCardSize) + "\n255\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), rgb.begin(), rgb.end());
    return bytes;
}

}

int main(int argc, char** argv) {
    std::string root = ".";
    std::string preview;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--preview" && i + 1 < argc)
            preview = argv[++i];
        else
            root = argument;
    }
    for (const std::string& path : TitleCardPaths()) {
        std::vector<uint8_t> rgb;
        if (!RenderTitleCard(path, rgb)) {
            std::fprintf(stderr, "zpcardgen: cannot set '%s' (is the package fonts-lato installed?)\n", path.c_str());
            return 1;
        }
        const std::filesystem::path target = std::filesystem::path(root) / path;
        if (!WriteBytes(target, EncodeTga(rgb, kCardSize, kCardSize))) {
            std::fprintf(stderr, "zpcardgen: cannot write '%s'\n", target.string().c_str());
            return 1;
        }
        const std::filesystem::path picture = std::filesystem::path(preview) / target.filename().replace_extension(".ppm");
        if (!preview.empty() && !WriteBytes(picture, Ppm(rgb))) {
            std::fprintf(stderr, "zpcardgen: cannot write '%s'\n", picture.string().c_str());
            return 1;
        }
        std::printf("%s\n", target.string().c_str());
    }
    return 0;
}
