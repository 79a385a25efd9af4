#include "engine/files/TemporaryFileName.h"

#include <gtest/gtest.h>

TEST(TemporaryFileName, OnlyADotNameEndingInTmpIsASavesTemporaryFile) {
    EXPECT_EQ(TemporaryFileNameOf("data/sync/glow.track"), "data/sync/.glow.track.tmp");
    EXPECT_EQ(TemporaryFileNameOf("glow.track"), ".glow.track.tmp");
    EXPECT_TRUE(IsTemporaryFileName(TemporaryFileNameOf("data/sync/glow.track")));
    EXPECT_TRUE(IsTemporaryFileName("data\\sync\\.a-20b.track.tmp"));
    EXPECT_TRUE(IsTemporaryFileName(".x.tmp"));
    // Content that merely looks close stays content.
    for (const char* name : {"data/.hidden", "data/colored.fs.tmp", "data/.tmp", "data/..tmp", "data/.x.tmp/a.fs",
                             "data/.x.TMP", ""})
        EXPECT_FALSE(IsTemporaryFileName(name)) << name;
}
