#include "tools/live/ReloadDebounce.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::string>;

TEST(ReloadDebounceTest, APathIsReadyOnlyOnceItsEventsHaveBeenQuietLongEnough) {
    ReloadDebounce debounce(0.05);
    debounce.Note("data/a.fs", 1.0);
    EXPECT_TRUE(debounce.TakeReady(1.0).empty());
    EXPECT_TRUE(debounce.TakeReady(1.049).empty());
    EXPECT_EQ(debounce.TakeReady(1.05), Paths{"data/a.fs"});
    // Handed out once.
    EXPECT_TRUE(debounce.TakeReady(2.0).empty());
    EXPECT_TRUE(debounce.Empty());
}

TEST(ReloadDebounceTest, EveryNewEventRestartsTheWait) {
    ReloadDebounce debounce(0.05);
    // A save written in pieces over 120 ms.
    for (double t = 1.0; t < 1.12; t += 0.03) {
        debounce.Note("data/a.fs", t);
        EXPECT_TRUE(debounce.TakeReady(t + 0.01).empty()) << t;
    }
    EXPECT_TRUE(debounce.TakeReady(1.12).empty());
    EXPECT_EQ(debounce.TakeReady(1.2), Paths{"data/a.fs"});
}

TEST(ReloadDebounceTest, PathsWaitIndependentlyAndComeOutInNameOrder) {
    ReloadDebounce debounce(0.05);
    debounce.Note("data/z.fs", 1.0);
    debounce.Note("data/b.tga", 1.0);
    debounce.Note("data/m.vs", 1.04);
    EXPECT_EQ(debounce.TakeReady(1.06), (Paths{"data/b.tga", "data/z.fs"}));
    EXPECT_FALSE(debounce.Empty());
    EXPECT_EQ(debounce.TakeReady(1.1), Paths{"data/m.vs"});
}

}
