// zpbench: prints figures as "name value" lines for scripts/bench.
#include "demo/show/Tempo.h"
#include "demo/show/TimeLine.h"
#include "tools/bench/ChildUsage.h"
#include "tools/bench/ClockSteadiness.h"
#include "tools/bench/PakCost.h"
#include "tools/bench/RefillCost.h"
#include "tools/bench/SyncCost.h"
#include "tools/shared/CommandLineValues.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: zpbench refill TRACK COUNT          CPU ms of one refill (1 s of sound), mean of COUNT\n"
    "       zpbench clock TRACK SECONDS DISKFILE  the music clock against the wall at 60 fps (SDL disk driver)\n"
    "       zpbench pak-build DIR PAK           CPU s of packing DIR into PAK\n"
    "       zpbench pak-read PAK DATAFILE       CPU s of inflating every file of PAK; DATAFILE gets\n"
    "                                           its compressed files, one gzip stream each\n"
    "       zpbench sync TRACKS KEYS FRAMES     CPU ms a frame of reading TRACKS tracks of KEYS keys\n"
    "       zpbench timeline                    the show's entries: start end layer variant scene\n"
    "       zpbench run [--stop-after S] -- COMMAND...  CPU s, wall s, peak resident KiB of COMMAND\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "zpbench: %s\n", message.c_str());
    return 1;
}

int Refill(const std::vector<std::string>& args) {
    int32_t count = 0;
    if (args.size() != 2 || !ParseCount(args[1], 1, 1000, count))
        return Fail("refill takes a track and a count from 1 to 1000");
    double milliseconds = 0.0;
    std::string error;
    if (!MeasureRefillCost(args[0], count, milliseconds, error))
        return Fail(error);
    std::printf("refill_cpu_ms %.4f\n", milliseconds);
    return 0;
}

int ClockRun(const std::vector<std::string>& args) {
    double seconds = 0.0;
    if (args.size() != 3 || !ParseNumber(args[1], seconds) || seconds < 1.0 || seconds > 600.0)
        return Fail("clock takes a track, seconds from 1 to 600 and a scratch file for the disk driver");
    ClockFigures figures;
    std::string error;
    if (!MeasureClockSteadiness(args[0], args[2], seconds, figures, error))
        return Fail(error);
    std::printf("frames %d\n", figures.frames);
    std::printf("clock_median_ms %.4f\nclock_p99_ms %.4f\nclock_worst_ms %.4f\n",
                figures.frameMinusWall.median * 1e3, figures.frameMinusWall.p99 * 1e3,
                figures.frameMinusWall.worst * 1e3);
    std::printf("loop_median_ms %.4f\nloop_p99_ms %.4f\nloop_worst_ms %.4f\n", figures.wallMinusTick.median * 1e3,
                figures.wallMinusTick.p99 * 1e3, figures.wallMinusTick.worst * 1e3);
    return 0;
}

int PakBuild(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return Fail("pak-build takes a directory and an archive path");
    double seconds = 0.0;
    std::string error;
    if (!MeasurePakBuild(args[0], args[1], seconds, error))
        return Fail(error);
    std::printf("pak_build_cpu_s %.4f\n", seconds);
    return 0;
}

int PakRead(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return Fail("pak-read takes an archive and a file for its compressed data");
    double seconds = 0.0;
    uint64_t unpacked = 0;
    std::string error;
    if (!MeasurePakRead(args[0], seconds, unpacked, error))
        return Fail(error);
    std::ifstream in(args[0], std::ios::binary);
    const std::vector<uint8_t> archive{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<uint8_t> data;
    if (!PakDataArea(archive, data))
        return Fail("'" + args[0] + "' has no data area");
    std::ofstream out(args[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out)
        return Fail("cannot write '" + args[1] + "'");
    std::printf("pak_read_cpu_s %.4f\nunpacked_bytes %llu\npacked_bytes %zu\n", seconds,
                static_cast<unsigned long long>(unpacked), data.size());
    return 0;
}

int Sync(const std::vector<std::string>& args) {
    int32_t tracks = 0;
    int32_t keys = 0;
    int32_t frames = 0;
    if (args.size() != 3 || !ParseCount(args[0], 1, 100000, tracks) || !ParseCount(args[1], 1, 1000000, keys) ||
        !ParseCount(args[2], 1, 1000000, frames))
        return Fail("sync takes tracks (1 to 100000), keys a track (1 to 1000000) and frames (1 to 1000000)");
    const SampleSummary figures = MeasureSyncEvaluation(tracks, keys, frames);
    std::printf("sync_median_ms %.5f\nsync_p99_ms %.5f\nsync_worst_ms %.5f\n", figures.median, figures.p99,
                figures.worst);
    return 0;
}

int TimeLine(const std::vector<std::string>& args) {
    if (!args.empty())
        return Fail("timeline takes no arguments");
    for (const TimeLineEntry& entry : ShowTimeLine(Tempo().patternLength))
        std::printf("%.4f %.4f %d %d %s\n", entry.start, entry.end, entry.layer, entry.variant,
                    SceneIdName(entry.scene));
    return 0;
}

int Run(std::vector<std::string> args) {
    double stopAfter = 0.0;
    if (args.size() >= 2 && args[0] == "--stop-after") {
        if (!ParseNumber(args[1], stopAfter) || stopAfter <= 0.0)
            return Fail("--stop-after takes seconds above 0");
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] != "--" || args.size() < 2)
        return Fail("run takes -- and a command");
    args.erase(args.begin());
    ChildUsage usage;
    std::string error;
    if (!RunChild(args, stopAfter, usage, error))
        return Fail(error);
    std::printf("cpu_s %.4f\nwall_s %.4f\npeak_rss_kib %ld\nexit_code %d\n", usage.cpuSeconds, usage.wallSeconds,
                usage.peakResidentKiB, usage.exitCode);
    return 0;
}

}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string mode = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (mode == "refill")
        return Refill(args);
    if (mode == "clock")
        return ClockRun(args);
    if (mode == "pak-build")
        return PakBuild(args);
    if (mode == "pak-read")
        return PakRead(args);
    if (mode == "sync")
        return Sync(args);
    if (mode == "timeline")
        return TimeLine(args);
    if (mode == "run")
        return Run(args);
    std::fprintf(stderr, "zpbench: unknown mode '%s'\n%s", mode.c_str(), kUsage);
    return 2;
}
