#include "tests/fuzz/FuzzTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& input, size_t parts) {
    return SplitAtNul(reinterpret_cast<const uint8_t*>(input.data()), input.size(), parts);
}

}

TEST(FuzzInputSplit, CutsAtNulsAndKeepsTheRestInTheLastPart) {
    using Parts = std::vector<std::string>;
    EXPECT_EQ(Split(std::string("a\0b\0c", 5), 3), (Parts{"a", "b", "c"}));
    // Surplus NULs stay in the last file, whose reader cuts there itself.
    EXPECT_EQ(Split(std::string("a\0b\0c\0d", 7), 2), (Parts{"a", std::string("b\0c\0d", 5)}));
    // Files the input does not reach are empty, not absent.
    EXPECT_EQ(Split("main", 4), (Parts{"main", "", "", ""}));
    EXPECT_EQ(Split(std::string("\0\0", 2), 3), (Parts{"", "", ""}));
    EXPECT_EQ(Split("", 2), (Parts{"", ""}));
}
