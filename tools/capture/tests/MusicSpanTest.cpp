#include "tools/capture/MusicSpan.h"

#include "engine/files/MemoryStream.h"
#include "tests/unit/TemporaryDirectory.h"

#include <gtest/gtest.h>

// A chain with trailing bytes gives the span of its first link, as the show plays it.
TEST(MusicSpan, AChainWithTrailingBytesGivesItsFirstStream) {
    TemporaryDirectory directory;
    MemoryStream track, other;
    track.LoadFromFile(std::string(ZP_TEST_DATA_DIR) + "/music/chords-44k-stereo.ogg");
    other.LoadFromFile(std::string(ZP_TEST_DATA_DIR) + "/music/chords-22k-mono.ogg");
    MemoryStream chained = track;
    chained.Write(other.Data(), other.Length());
    chained.Write("TAG", 3);
    std::string spans[2];
    for (int i = 0; i < 2; ++i) {
        const std::string path = directory.path + "/span" + std::to_string(i) + ".wav";
        std::string error;
        EXPECT_TRUE(WriteMusicSpan(i == 0 ? track : chained, 0.1, 0.6, path, error)) << error;
        std::ifstream file(path, std::ios::binary);
        spans[i].assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    EXPECT_GT(spans[0].size(), 80000u);
    EXPECT_EQ(spans[1], spans[0]);
}
