#include "tools/live/TextWrap.h"

#include <gtest/gtest.h>

namespace {

// One unit a character.
std::vector<std::string> Wrap(const std::string& text, float width) {
    return WrapText(text, width, [](const std::string& line) { return static_cast<float>(line.size()); });
}

using Lines = std::vector<std::string>;

}

TEST(TextWrap, PathsBreakAfterASlashAndNeverInsideAName) {
    const std::string path = "data/shaders/generator/rmgreencubes.fs";
    EXPECT_EQ(Wrap(path, 30), (Lines{"data/shaders/generator/", "rmgreencubes.fs"}));
    EXPECT_EQ(Wrap(path, 13), (Lines{"data/shaders/", "generator/", "rmgreencubes.fs"}));
    EXPECT_EQ(Wrap("data/a.fs", 40), (Lines{"data/a.fs"}));
    // Messages break at spaces, a path in them after its slashes, and the
    // driver's own line breaks stay.
    EXPECT_EQ(Wrap("154: error: `foo' undeclared", 12), (Lines{"154: error:", "`foo'", "undeclared"}));
    EXPECT_EQ(Wrap("cannot read data/textures/festa.tga now", 20),
              (Lines{"cannot read data/", "textures/festa.tga", "now"}));
    EXPECT_EQ(Wrap("0:3: first\r\n0:4: second\n", 40), (Lines{"0:3: first", "0:4: second"}));
    EXPECT_EQ(Wrap("", 10), (Lines{""}));
}
