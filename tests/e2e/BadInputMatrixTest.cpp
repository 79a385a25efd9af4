// zpdemo against broken content, one fault at a time: every fault gives its
// message in demo.log and its exit code within 20 s, without a crash or a
// hang. Each case runs on its own copy of data/ (or of the archive built
// from it) on a display.
#include "e2e/Process.h"
#include "e2e/ShowRun.h"
#include "engine/files/Compression.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/PakArchive.h"
#include "unit/OggPages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kDemo = ZPDEMO_PATH;
constexpr double kCaseSeconds = 20.0;

const char kCard[] = "data/textures/festa.tga";
const char kMesh[] = "data/objects/spiky_fat.mesh";
const char kMusic[] = "data/music/zephal_ethereal.ogg";
// The mesh scene's shaders load at start-up and nothing replaces them.
const char kShader[] = "data/shaders/mesh_light.fs";
const char kPak[] = "zplumenweaver.dat";

// --- bytes -----------------------------------------------------------------

uint32_t Get32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes.at(at + static_cast<size_t>(i)));
    return value;
}

void Put32(std::string& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Put16(std::string& bytes, size_t at, uint16_t value) {
    bytes.at(at) = static_cast<char>(value & 0xFF);
    bytes.at(at + 1) = static_cast<char>(value >> 8);
}

// The engine's own helpers, which the archive's writer and reader use.
std::string Inflate(const std::string& packed) {
    MemoryStream out;
    if (!DecompressToStream(packed.data(), static_cast<uint32_t>(packed.size()), out, kInflateLimit))
        throw std::runtime_error("the archive's list does not inflate");
    return std::string(reinterpret_cast<const char*>(out.Data()), out.Length());
}

std::string Gzip(const std::string& raw) {
    MemoryStream out;
    if (!CompressToStream(raw.data(), static_cast<uint32_t>(raw.size()), out))
        throw std::runtime_error("the list does not deflate");
    return std::string(reinterpret_cast<const char*>(out.Data()), out.Length());
}

// --- the archive -----------------------------------------------------------

// The archive as the builder wrote it: magic, list size, gzip list, data area.
struct Pak {
    explicit Pak(std::string fileBytes) : bytes(std::move(fileBytes)) {
        listSize = Get32(bytes, 5);
        list = Inflate(bytes.substr(9, listSize));
    }
    size_t DataStart() const { return 9 + size_t{listSize}; }

    // Where the entry's offset field sits in the inflated list.
    size_t OffsetField(const std::string& name) const {
        size_t at = 4;
        for (uint32_t i = 0, count = Get32(list, 0); i < count; ++i) {
            const uint32_t length = Get32(list, at);
            const bool found = list.compare(at + 4, length, name) == 0 && length == name.size();
            at += 4 + length;
            if (found)
                return at;
            at += 8;
        }
        throw std::runtime_error("no entry " + name);
    }
    uint32_t Offset(const std::string& name) const { return Get32(list, OffsetField(name)); }
    uint32_t PackedSize(const std::string& name) const { return Get32(list, OffsetField(name) + 4); }

    // The archive again with the list as it now stands.
    std::string Rebuilt() const {
        const std::string packed = Gzip(list);
        std::string out = bytes.substr(0, 9) + packed + bytes.substr(DataStart());
        Put32(out, 5, static_cast<uint32_t>(packed.size()));
        return out;
    }

    std::string bytes;
    uint32_t listSize = 0;
    std::string list;
};

// --- the music -------------------------------------------------------------

uint32_t OggPageCrc(const std::string& page) {
    return oggpages::Checksum(reinterpret_cast<const uint8_t*>(page.data()), page.size());
}

// The first page carries the Vorbis identification header alone; its sample
// rate is the packet's 32-bit word at byte 12.
void SetVorbisSampleRate(std::string& ogg, uint32_t rate) {
    if (ogg.compare(0, 4, "OggS") != 0)
        throw std::runtime_error("not an Ogg stream");
    const size_t segments = static_cast<uint8_t>(ogg.at(26));
    size_t bodySize = 0;
    for (size_t i = 0; i < segments; ++i)
        bodySize += static_cast<uint8_t>(ogg.at(27 + i));
    const size_t body = 27 + segments;
    if (ogg.compare(body, 7, "\x01vorbis") != 0)
        throw std::runtime_error("the first packet is not the identification header");
    const uint32_t stored = Get32(ogg, 22);
    Put32(ogg, 22, 0);
    // A page with a wrong checksum is dropped, header and all: the case
    // would test a damaged stream instead of the rate.
    if (OggPageCrc(ogg.substr(0, body + bodySize)) != stored)
        throw std::runtime_error("the page checksum does not match");
    Put32(ogg, body + 12, rate);
    Put32(ogg, 22, OggPageCrc(ogg.substr(0, body + bodySize)));
}

// --- the cases -------------------------------------------------------------

enum class Source { LooseFiles, Pak };
// Start-up failures end the run by themselves; a bad music file only turns
// the music off, and the show, on the clock, ends by Escape.
enum class Ending { ByItself, ShowThenEscape };

struct BadInput {
    const char* name;
    Source source;
    std::function<void(const ScratchDirectory&)> breakIt;
    std::string firstError;  // the run's first ERROR line, or its start when prefix is set
    bool prefix = false;
    int exitCode = 1;
    Ending ending = Ending::ByItself;
    bool pakRefused = false;  // "Could not load pak file." expected
};

std::string Contents(const ScratchDirectory& directory, const std::string& path) {
    return ReadFileText(directory / path);
}

void Replace(const ScratchDirectory& directory, const std::string& path, const std::string& bytes) {
    WriteFileText(directory / path, bytes);
}

void Remove(const ScratchDirectory& directory, const std::string& path) { std::remove((directory / path).c_str()); }

void Truncate(const ScratchDirectory& directory, const std::string& path, size_t length) {
    Replace(directory, path, Contents(directory, path).substr(0, length));
}

void TgaSize(const ScratchDirectory& directory, uint16_t width, uint16_t height) {
    std::string tga = Contents(directory, kCard);
    Put16(tga, 12, width);
    Put16(tga, 14, height);
    tga.at(16) = 32;
    Replace(directory, kCard, tga);
}

// Flips one byte in the middle of the span: the gzip checksum catches any change.
void Damage(std::string& bytes, size_t start, size_t length) { bytes.at(start + length / 2) ^= 0x5A; }

std::string CannotLoadShader(const std::string& path) { return "Cannot load shader source from file '" + path + "'."; }

const std::string kNoPakShader = CannotLoadShader("data/shaders/base/textured2d.vs");
const std::string kNoCard = std::string("Cannot load image from file '") + kCard + "'.";
const std::string kNoMesh = std::string("Cannot load mesh from file '") + kMesh + "'.";
const std::string kNoMusic = "Could not open music file.";

BadInput PakCase(const char* name, std::function<void(const ScratchDirectory&)> breakIt) {
    BadInput input{name, Source::Pak, std::move(breakIt), kNoPakShader};
    input.pakRefused = true;
    return input;
}

BadInput MusicCase(const char* name, std::function<void(const ScratchDirectory&)> breakIt) {
    BadInput input{name, Source::LooseFiles, std::move(breakIt), kNoMusic};
    input.exitCode = 0;
    input.ending = Ending::ShowThenEscape;
    return input;
}

std::vector<BadInput> Matrix() {
    std::vector<BadInput> cases;
    // The archive, read with no loose files beside it. A refused archive
    // leaves nothing to load: the first shader the post-processing asks for
    // is missing, and every later load fails the same way.
    cases.push_back(PakCase("PakHeaderTruncated", [](const ScratchDirectory& d) { Truncate(d, kPak, 7); }));
    cases.push_back(PakCase("PakListCorrupt", [](const ScratchDirectory& d) {
        std::string pak = Contents(d, kPak);
        Damage(pak, 9, Get32(pak, 5));
        Replace(d, kPak, pak);
    }));
    cases.push_back(PakCase("PakEntryOffsetPastTheEnd", [](const ScratchDirectory& d) {
        Pak pak(Contents(d, kPak));
        Replace(d, kPak, pak.Rebuilt());
        ASSERT_TRUE(PakArchive().Open(d / kPak)) << "the archive rebuilt as it was must open";
        Put32(pak.list, pak.OffsetField(kShader), 0xFFFFFF00u);
        Replace(d, kPak, pak.Rebuilt());
    }));
    // One damaged entry: the archive opens, that one file reads as missing.
    cases.push_back({"PakEntryStreamCorrupt", Source::Pak,
                     [](const ScratchDirectory& d) {
                         Pak pak(Contents(d, kPak));
                         Damage(pak.bytes, pak.DataStart() + pak.Offset(kShader), pak.PackedSize(kShader));
                         Replace(d, kPak, pak.bytes);
                     },
                     CannotLoadShader(kShader)});

    // A title card, decoded on the precalc worker.
    const auto card = [](const char* name, std::function<void(const ScratchDirectory&)> breakIt) {
        return BadInput{name, Source::LooseFiles, std::move(breakIt), kNoCard};
    };
    cases.push_back(card("ImageMissing", [](const ScratchDirectory& d) { Remove(d, kCard); }));
    cases.push_back(card("ImageEmpty", [](const ScratchDirectory& d) { Truncate(d, kCard, 0); }));
    cases.push_back(card("ImageTruncated", [](const ScratchDirectory& d) { Truncate(d, kCard, 100000); }));
    cases.push_back(card("Image65535Squared", [](const ScratchDirectory& d) { TgaSize(d, 65535, 65535); }));
    // 32768 x 32768 x 4 bytes is 2^32: zero in 32 bits.
    cases.push_back(card("Image32768Squared", [](const ScratchDirectory& d) { TgaSize(d, 32768, 32768); }));

    // The mesh, loaded on the precalc worker.
    const auto mesh = [](const char* name, std::function<void(const ScratchDirectory&)> breakIt, std::string error) {
        return BadInput{name, Source::LooseFiles, std::move(breakIt), std::move(error)};
    };
    cases.push_back(mesh("MeshMissing", [](const ScratchDirectory& d) { Remove(d, kMesh); }, kNoMesh));
    // No counts at all read as four empty sections: a mesh with nothing to draw.
    cases.push_back(mesh("MeshEmpty", [](const ScratchDirectory& d) { Truncate(d, kMesh, 0); },
                         std::string("Cannot draw mesh '") + kMesh + "': it has no positions."));
    cases.push_back(mesh("MeshTruncated", [](const ScratchDirectory& d) { Truncate(d, kMesh, 1000001); }, kNoMesh));
    cases.push_back(mesh("MeshCountsAllOnes", [](const ScratchDirectory& d) { Replace(d, kMesh, std::string(16, '\xFF')); },
                         kNoMesh));

    // The music: the show goes on without it.
    cases.push_back(MusicCase("MusicMissing", [](const ScratchDirectory& d) { Remove(d, kMusic); }));
    cases.push_back(MusicCase("MusicEmpty", [](const ScratchDirectory& d) { Truncate(d, kMusic, 0); }));
    // Cut inside the headers: the setup header never completes.
    cases.push_back(MusicCase("MusicTruncated", [](const ScratchDirectory& d) { Truncate(d, kMusic, 200); }));
    cases.push_back(MusicCase("MusicNotVorbis", [](const ScratchDirectory& d) {
        Replace(d, kMusic, Contents(d, kCard).substr(0, 300000));
    }));
    cases.push_back(MusicCase("MusicSampleRateTwoToThe30", [](const ScratchDirectory& d) {
        std::string ogg = Contents(d, kMusic);
        SetVorbisSampleRate(ogg, 1u << 30);
        Replace(d, kMusic, ogg);
    }));

    // A shader of the mesh scene, loaded at start-up. A missing source is
    // reported by the reader and again by the shader manager.
    cases.push_back({"ShaderMissing", Source::LooseFiles, [](const ScratchDirectory& d) { Remove(d, kShader); },
                     CannotLoadShader(kShader)});
    BadInput compile{"ShaderNotCompiling", Source::LooseFiles,
                     [](const ScratchDirectory& d) { Replace(d, kShader, "#version 330 compatibility\nnot glsl\n"); },
                     "An error occurred during shader compilation. Error log:"};
    compile.prefix = true;
    cases.push_back(compile);
    // Compiles, but calls a function that no stage defines.
    cases.push_back({"ShaderNotLinking", Source::LooseFiles,
                     [](const ScratchDirectory& d) {
                         Replace(d, kShader,
                                 "#version 330 compatibility\nout vec4 fragColor;\nvec4 Shade();\n"
                                 "void main() { fragColor = Shade(); }\n");
                     },
                     "Error log:"});

    // A track file, read at start-up before the precalculation.
    cases.push_back({"SyncTrackRowsBackwards", Source::LooseFiles,
                     [](const ScratchDirectory& d) {
                         std::filesystem::create_directories(d / "data/sync");
                         std::string keys("\x02\0\0\0", 4);
                         keys += std::string("\x08\0\0\0\0\0\x80\x3F\x01", 9);  // row 8, 1.0, linear
                         keys += std::string("\x04\0\0\0\0\0\0\0\x00", 9);      // row 4
                         Replace(d, "data/sync/post.uFade.track", keys);
                     },
                     "Cannot load sync track from file 'data/sync/post.uFade.track': key 1 does not come after "
                     "the key before it."});
    return cases;
}

void PrintTo(const BadInput& input, std::ostream* out) { *out << input.name; }

class BadInputMatrix : public ::testing::TestWithParam<BadInput> {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display";
        std::filesystem::copy(ZP_SOURCE_DIR "/data", directory / "data", std::filesystem::copy_options::recursive);
        options.workingDirectory = directory.Path();
        // A sound device that plays into nothing, so that only the file can
        // fail the music.
        options.setEnvironment = {
            {"ZPDEMO_NO_DIALOGS", "1"}, {"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", "/dev/null"}};
        options.timeoutSeconds = kCaseSeconds;
    }

    void BuildPakInsteadOfLooseFiles() {
        ProcessOptions builder = options;
        builder.unsetEnvironment = {"DISPLAY"};
        ProcessResult built = RunProcess(kDemo, {"buildpak"}, builder);
        ASSERT_EQ(built.exitCode, 0) << built.out;
        std::filesystem::remove_all(directory / "data");
    }

    // Runs until the demo ends by itself or the time is up.
    ProcessResult RunToItsEnd() { return RunProcess(kDemo, {"writelog"}, options); }

    // Lets the show play for a while after the bar, then presses Escape.
    ProcessResult RunShowThenEscape() {
        BackgroundProcess demo(kDemo, {"writelog"}, options);
        ProcessResult result;
        const bool played = WaitForLogMessage(directory / "demo.log", kLastUploadLine, kCaseSeconds - 3.0);
        if (played) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            EXPECT_FALSE(demo.WaitForExit(0.0)) << "the show ended by itself";
            EXPECT_TRUE(PressEscape());
        } else {
            ADD_FAILURE() << "the show never started";
        }
        result.timedOut = !demo.WaitForExit(played ? 2.5 : kCaseSeconds - demo.SecondsRunning());
        if (result.timedOut)
            demo.Kill();
        result.exitCode = demo.ExitCode();
        result.seconds = demo.SecondsRunning();
        result.err = demo.Err();
        return result;
    }

    ScratchDirectory directory;
    ProcessOptions options;
};

TEST_P(BadInputMatrix, GivesItsMessageAndExitCodeWithoutCrashOrHang) {
    const BadInput& input = GetParam();
    if (input.source == Source::Pak) {
        ASSERT_NO_FATAL_FAILURE(BuildPakInsteadOfLooseFiles());
    }
    ASSERT_NO_FATAL_FAILURE(input.breakIt(directory));

    const ProcessResult run = input.ending == Ending::ByItself ? RunToItsEnd() : RunShowThenEscape();
    std::printf("[ bad input ] %s: exit %d after %.1f s\n", input.name, run.exitCode, run.seconds);
    ASSERT_FALSE(run.timedOut) << "still running after " << kCaseSeconds << " s";
    ASSERT_GE(run.exitCode, 0) << "ended by signal " << -run.exitCode << "\n" << run.err;
    EXPECT_EQ(run.exitCode, input.exitCode) << run.err;

    const std::vector<LogLine> log = ReadLog(directory / "demo.log");
    const LogLine* error = FirstOfLevel(log, "ERROR");
    ASSERT_NE(error, nullptr) << run.err;
    if (input.prefix) {
        EXPECT_EQ(error->message.rfind(input.firstError, 0), 0u) << error->message;
    } else {
        EXPECT_EQ(error->message, input.firstError);
    }
    // The same text reached the user as the error box's (standard error here).
    EXPECT_NE(run.err.find("Application error: " + error->message), std::string::npos) << run.err;

    if (input.source == Source::Pak) {
        EXPECT_EQ(Find(log, "Could not load pak file.") != nullptr, input.pakRefused);
    }
    EXPECT_EQ(Find(log, "Starting music playback..."), nullptr) << "the music never plays";
    if (input.ending == Ending::ByItself) {
        EXPECT_EQ(Find(log, kLastUploadLine), nullptr) << "the show never starts";
    }
}

INSTANTIATE_TEST_SUITE_P(OneFaultAtATime, BadInputMatrix, ::testing::ValuesIn(Matrix()),
                         [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

}
