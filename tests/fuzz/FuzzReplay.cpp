// Feeds every file of every target's corpus folder to that target once, so
// that the committed corpus, crash regressions included, runs in every build.

#include "tests/fuzz/FuzzTarget.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    int failures = 0;
    for (const FuzzTargetInfo& target : FuzzTargets()) {
        const fs::path folder = root / target.name;
        std::vector<fs::path> files;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        // A target without inputs would pass without testing anything.
        if (files.empty()) {
            std::fprintf(stderr, "%s: no corpus files in %s\n", target.name, folder.string().c_str());
            ++failures;
            continue;
        }
        for (const fs::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.eof() && in.fail()) {
                std::fprintf(stderr, "%s: cannot read %s\n", target.name, file.string().c_str());
                ++failures;
                continue;
            }
            // The data pointer is never null, as under libFuzzer.
            bytes.reserve(1);
            target.entry(bytes.data(), bytes.size());
        }
        std::printf("%s: %zu inputs\n", target.name, files.size());
    }
    return failures == 0 ? 0 : 1;
}
