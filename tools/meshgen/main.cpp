// zpmeshgen [output root] [--preview picture.ppm]
// Writes data/objects/spiky_fat.mesh below the output root (default: the
// working directory) and, when asked, a picture of it.

#include "engine/files/MemoryStream.h"
#include "engine/files/MeshFileCodec.h"
#include "tools/meshgen/PreviewRenderer.h"
#include "tools/meshgen/SpikyForm.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

bool WriteMesh(const Mesh& mesh, const std::string& root) {
    const std::filesystem::path path = std::filesystem::path(root) / "data/objects/spiky_fat.mesh";
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    MemoryStream encoded;
    if (!MeshFileCodec().Encode(mesh, encoded))
        return false;
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(encoded.Data(), 1, encoded.Length(), file) == encoded.Length();
    std::printf("%s: %zu vertices, %zu triangles, %u bytes\n", path.string().c_str(), mesh.positions.size(),
                mesh.triangles.size(), encoded.Length());
    return std::fclose(file) == 0 && written;
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
    const Mesh mesh = BuildSpikyForm();
    if (!WriteMesh(mesh, root)) {
        std::fprintf(stderr, "zpmeshgen: cannot write the mesh below '%s'\n", root.c_str());
        return 1;
    }
    const int previewSize = 640;
    if (!preview.empty() && !WritePpm(preview, RenderPreview(mesh, previewSize), previewSize, previewSize)) {
        std::fprintf(stderr, "zpmeshgen: cannot write '%s'\n", preview.c_str());
        return 1;
    }
    return 0;
}
