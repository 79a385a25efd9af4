#include "engine/files/TemporaryFileName.h"

#include <gtest/gtest.h>

TEST(TemporaryFileName, OnlyADotNameEndingInTmpIsASavesTemporaryFile) {
    EXPECT_EQ(TemporaryFileNameOf("data/sync/glow.track"), "data/sync/.glow.track.tmp");
    EXPECT_TRUE(IsTemporaryFileName("data\\sync\\.glow.track.tmp"));
    for (const char* name : {"data/.hidden", "data/colored.fs.tmp", "data/..tmp", "data/.x.tmp/a.fs", ""})
        EXPECT_FALSE(IsTemporaryFileName(name)) << name;
}
