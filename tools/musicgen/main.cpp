// zpmusicgen OUTPUT.ogg [--wav OUT.wav]: renders the demo's music and writes
// it as OGG Vorbis, and optionally as 16-bit WAVE for listening.
#include "tools/musicgen/Instrument.h"
#include "tools/musicgen/LoudnessMeter.h"
#include "tools/musicgen/MusicTrack.h"
#include "tools/musicgen/WavWriter.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "zpmusicgen: could not write '%s'\n", path.c_str());
        return false;
    }
    return true;
}

int Usage()
{
    std::fprintf(stderr, "usage: zpmusicgen OUTPUT.ogg [--wav OUT.wav]\n");
    return 2;
}

}

int main(int argc, char** argv)
{
    std::string oggPath;
    std::string wavPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--wav") == 0 && i + 1 < argc)
            wavPath = argv[++i];
        else if (oggPath.empty() && argv[i][0] != '-')
            oggPath = argv[i];
        else
            return Usage();
    }
    if (oggPath.empty())
        return Usage();

    StereoBuffer master = MusicTrack::Render();
    std::vector<unsigned char> encoded;
    if (!MusicTrack::Encode(master, encoded)) {
        std::fprintf(stderr, "zpmusicgen: the encoded stream is unusable or overshoots its ceiling\n");
        return 1;
    }
    std::printf("length %.3f s, peak %.2f dBFS, loudness %.2f LUFS\n", master.Frames() / kSampleRate,
                20.0 * std::log10(master.Peak()), LoudnessMeter::IntegratedLoudness(master, kSampleRate));
    if (!wavPath.empty() && !WriteFile(wavPath, WavWriter::Encode(master, MusicTrack::kSampleRate)))
        return 1;
    return WriteFile(oggPath, encoded) ? 0 : 1;
}
