#include "tools/bench/PakCost.h"

#include "engine/files/PakArchive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<uint8_t> Archive(uint32_t listSize, const std::vector<uint8_t>& rest) {
    std::vector<uint8_t> bytes(kPakMagic, kPakMagic + kPakMagicSize);
    for (int byte = 0; byte < 4; ++byte)
        bytes.push_back(static_cast<uint8_t>(listSize >> (8 * byte)));
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

}

TEST(PakDataArea, IsWhatFollowsThePackedList) {
    std::vector<uint8_t> data;
    ASSERT_TRUE(PakDataArea(Archive(3, {1, 2, 3, 9, 8}), data));
    EXPECT_EQ(data, (std::vector<uint8_t>{9, 8}));
    ASSERT_TRUE(PakDataArea(Archive(2, {1, 2}), data));
    EXPECT_TRUE(data.empty());

    // A list longer than the file, another magic, a cut header.
    EXPECT_FALSE(PakDataArea(Archive(0x01000000, {1, 2}), data));
    std::vector<uint8_t> other = Archive(0, {});
    other[0] = 'X';
    EXPECT_FALSE(PakDataArea(other, data));
    EXPECT_FALSE(PakDataArea(std::vector<uint8_t>(kPakMagic, kPakMagic + kPakMagicSize), data));
}
