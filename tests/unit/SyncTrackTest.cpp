#include "engine/render/SyncUniforms.h"
#include "engine/sync/SyncRows.h"
#include "engine/sync/SyncTrack.h"
#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"
#include "engine/sync/SyncValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

SyncTrack TwoKeys(SyncInterpolation interpolation) {
    SyncTrack track("t");
    track.SetKey({8, 2.0f, interpolation});
    track.SetKey({16, 6.0f, SyncInterpolation::Step});
    return track;
}

std::vector<uint8_t> FileOf(int32_t count, std::vector<SyncKey> keys) {
    std::vector<uint8_t> bytes = WriteSyncTrackKeys(keys);
    std::memcpy(bytes.data(), &count, 4);  // the tests run on little-endian machines
    return bytes;
}

std::string Refusal(const std::vector<uint8_t>& bytes) {
    std::vector<SyncKey> keys = {{1, 1.0f, SyncInterpolation::Step}};
    std::string reason;
    EXPECT_FALSE(ReadSyncTrackKeys(bytes.data(), bytes.size(), keys, reason));
    EXPECT_EQ(keys.size(), 1u);  // untouched
    return reason;
}

}

TEST(SyncTrackTest, EachInterpolationBetweenKeysAndTheEdges) {
    // A quarter of the way from row 8 to row 16: t = 0.25.
    float value = 0.0f;
    ASSERT_TRUE(TwoKeys(SyncInterpolation::Step).ValueAt(10.0, value));
    EXPECT_FLOAT_EQ(value, 2.0f);
    TwoKeys(SyncInterpolation::Linear).ValueAt(10.0, value);
    EXPECT_FLOAT_EQ(value, 3.0f);
    TwoKeys(SyncInterpolation::Smooth).ValueAt(10.0, value);
    EXPECT_FLOAT_EQ(value, 2.0f + 4.0f * 0.15625f);  // t^2 (3 - 2t)
    TwoKeys(SyncInterpolation::Ramp).ValueAt(10.0, value);
    EXPECT_FLOAT_EQ(value, 2.0f + 4.0f * 0.0625f);

    const SyncTrack linear = TwoKeys(SyncInterpolation::Linear);
    EXPECT_FLOAT_EQ(linear.ValueOr(-3.5, 0.0f), 2.0f);  // before the first key
    EXPECT_FLOAT_EQ(linear.ValueOr(8.0, 0.0f), 2.0f);
    EXPECT_FLOAT_EQ(linear.ValueOr(15.999, 0.0f), 6.0f - 4.0f * 0.001f / 8.0f);
    EXPECT_FLOAT_EQ(linear.ValueOr(16.0, 0.0f), 6.0f);  // at and after the last
    EXPECT_FLOAT_EQ(linear.ValueOr(1e9, 0.0f), 6.0f);

    SyncTrack empty("none");
    value = 7.0f;
    EXPECT_FALSE(empty.ValueAt(3.0, value));
    EXPECT_EQ(value, 7.0f);  // the caller's value stands
    EXPECT_EQ(empty.ValueOr(3.0, -1.0f), -1.0f);
}

TEST(SyncTrackTest, EditsKeepRowsSortedAndCountAsChanges) {
    SyncTrack track("t");
    track.SetKey({32, 1.0f, SyncInterpolation::Linear});
    track.SetKey({0, 0.0f, SyncInterpolation::Step});
    track.SetKey({16, 5.0f, SyncInterpolation::Ramp});
    track.SetKey({16, 4.0f, SyncInterpolation::Smooth});  // replaces
    ASSERT_EQ(track.Keys().size(), 3u);
    EXPECT_EQ(track.Keys()[1], (SyncKey{16, 4.0f, SyncInterpolation::Smooth}));
    EXPECT_EQ(track.KeyAtOrBefore(31), 1);
    EXPECT_EQ(track.KeyAtOrBefore(-1), -1);
    EXPECT_FALSE(track.DeleteKey(17));
    const uint32_t before = track.Version();
    EXPECT_TRUE(track.DeleteKey(16));
    EXPECT_EQ(track.FindKey(16), -1);
    EXPECT_GT(track.Version(), before);
}

TEST(SyncRowsTest, ARowSoughtAsSecondsReadsBackAsThatRow) {
    for (int32_t row : {1, 3, 64, 96, 777, 9663}) {
        const double seconds = SyncSecondsAt(row, 175.0);
        EXPECT_EQ(SyncRowAt(seconds, 175.0), row);
        EXPECT_EQ(SyncRowIndex(SyncRowAt(seconds, 175.0)), row);
    }
    EXPECT_DOUBLE_EQ(SyncRowAt(1.5, 175.0), 35.0);
    EXPECT_EQ(SyncRowIndex(SyncRowAt(SyncSecondsAt(95.5, 175.0), 175.0)), 95);
}

TEST(SyncTrackSetTest, BindingFindsOrAddsAndValuesFollowTheRow) {
    SyncTrackSet set;
    SyncValue glow(set, "glow", "1");
    SyncValue again(set, "glow", "ignored");
    EXPECT_EQ(set.Count(), 1u);
    EXPECT_EQ(set.DefaultText(0), "1");
    EXPECT_EQ(glow.Or(0.5f), 0.5f);  // no keys: the code's value
    set.Find("glow")->SetKey({0, 0.0f, SyncInterpolation::Linear});
    set.Find("glow")->SetKey({8, 1.0f, SyncInterpolation::Step});
    set.SetRow(4.0);
    EXPECT_FLOAT_EQ(again.Or(9.0f), 0.5f);  // halfway between the keys
    set.SetRow(6.0);
    EXPECT_FLOAT_EQ(glow.Or(-9.0f), 0.75f);
    EXPECT_EQ(SyncValue().Or(3.0f), 3.0f);
}

TEST(SyncTrackFileTest, KeysRoundTripInTheExportedLayout) {
    const std::vector<SyncKey> keys = {{0, -1.5f, SyncInterpolation::Step},
                                       {7, 2.25f, SyncInterpolation::Ramp},
                                       {std::numeric_limits<int32_t>::max(), 1e30f, SyncInterpolation::Smooth}};
    const std::vector<uint8_t> bytes = WriteSyncTrackKeys(keys);
    ASSERT_EQ(bytes.size(), 4u + 3u * 9u);
    const uint8_t head[] = {3, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0xC0, 0xBF, 0};  // count, row 0, -1.5f, step
    EXPECT_EQ(std::memcmp(bytes.data(), head, sizeof head), 0);
    std::vector<SyncKey> read;
    std::string reason;
    ASSERT_TRUE(ReadSyncTrackKeys(bytes.data(), bytes.size(), read, reason)) << reason;
    EXPECT_EQ(read, keys);
    ASSERT_TRUE(ReadSyncTrackKeys(WriteSyncTrackKeys({}).data(), 4, read, reason));
    EXPECT_TRUE(read.empty());
}

TEST(SyncTrackFileTest, BadFilesAreRefusedWithTheirReason) {
    const SyncKey a{0, 1.0f, SyncInterpolation::Step};
    const SyncKey b{4, 2.0f, SyncInterpolation::Linear};
    EXPECT_EQ(Refusal({1, 0}), "the file is cut short before its key count");
    std::vector<uint8_t> cut = FileOf(2, {a, b});
    cut.pop_back();
    EXPECT_EQ(Refusal(cut), "the file is cut short: 2 keys take 22 bytes and it holds 21");
    EXPECT_EQ(Refusal(FileOf(0x7FFFFFFF, {a})), "the file is cut short: 2147483647 keys take 19327352827 bytes and it holds 13");
    EXPECT_EQ(Refusal(FileOf(-1, {})), "the key count is negative");
    EXPECT_EQ(Refusal(FileOf(1, {a, b})), "the file goes on for 9 bytes after its last key");
    EXPECT_EQ(Refusal(FileOf(2, {a, {-4, 0.0f, SyncInterpolation::Step}})), "key 1 has a negative row");
    EXPECT_EQ(Refusal(FileOf(2, {b, a})), "key 1 does not come after the key before it");
    EXPECT_EQ(Refusal(FileOf(2, {a, a})), "key 1 does not come after the key before it");
    std::vector<uint8_t> badKind = FileOf(1, {a});
    badKind[12] = 4;
    EXPECT_EQ(Refusal(badKind), "key 0 has an unknown interpolation");
    EXPECT_EQ(Refusal(FileOf(1, {{0, std::nanf(""), SyncInterpolation::Step}})),
              "key 0 has a value that is not a finite number");
    EXPECT_EQ(Refusal(FileOf(1, {{0, -INFINITY, SyncInterpolation::Step}})),
              "key 0 has a value that is not a finite number");
}

TEST(SyncTrackFileTest, FileNamesEscapeAndReadBack) {
    EXPECT_EQ(SyncTrackFileName("glow"), "glow.track");
    EXPECT_EQ(SyncTrackFileName("boxgrid.camera.eye.x"), "boxgrid.camera.eye.x.track");
    EXPECT_EQ(SyncTrackFileName("a b/c-\xC3\xA9"), "a-20b-2Fc-2D-C3-A9.track");
    EXPECT_EQ(SyncTrackPath("post.uFade"), "data/sync/post.uFade.track");
    std::string name;
    ASSERT_TRUE(SyncTrackNameOfFile("a-20b-2Fc-2D-C3-A9.track", name));
    EXPECT_EQ(name, "a b/c-\xC3\xA9");
    for (const char* notOurs : {"glow.trak", ".track", "a-2.track", "a-zz.track", "a-2f.track", "a-41.track",
                                ".glow.track.tmp"})
        EXPECT_FALSE(SyncTrackNameOfFile(notOurs, name)) << notOurs;
}

TEST(SyncUniformsTest, DeclarationsWithTheirDefaultsOutsideComments) {
    const std::string source = "#version 330\n"
                               "uniform float sync_glow = 1.5;\n"
                               "uniform highp float  sync_bend ;\n"
                               "uniform float sync_glow;  // again: kept once\n"
                               "// uniform float sync_commented = 3.0;\n"
                               "/* uniform float sync_blocked = 3.0; */\n"
                               "uniform vec2 sync_vector;\n"
                               "uniform float notsync_x = 2.0;\n"
                               "uniform float sync_ = 2.0;\n"
                               "uniform float sync_f = -2e-1f;\n"
                               "uniform float sync_expr = 1.0 + 2.0;\n";
    const std::vector<SyncUniformDeclaration> found = FindSyncUniforms(source);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].track, "glow");
    EXPECT_EQ(found[0].defaultValue, 1.5f);
    EXPECT_EQ(found[1].track, "bend");
    EXPECT_EQ(found[1].defaultValue, 0.0f);
    EXPECT_EQ(found[2].track, "f");
    EXPECT_FLOAT_EQ(found[2].defaultValue, -0.2f);
}
