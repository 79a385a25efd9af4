#include "demo/show/Sequence.h"
#include "engine/core/PrecalcQueue.h"
#include "ShowTestScenes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct SequenceTest : testing::Test {
    RecordingScene* Make(const std::string& name) {
        return static_cast<RecordingScene*>(sequence.AddScene(std::make_unique<RecordingScene>(name, record)));
    }
    bool Frame(double time) {
        record.calls.clear();
        DemoTime now{time, 1.0 / 60};
        return sequence.Update(&now);
    }
    std::vector<std::string> Rendered(double time) {
        record.calls.clear();
        sequence.Render(time);
        return record.calls;
    }
    SceneCalls record;
    Sequence sequence;
};

using Calls = std::vector<std::string>;

}

TEST_F(SequenceTest, EndIsExclusiveAndTheNextEntryTakesOverAtIt) {
    sequence.Add(0, Make("A"), 0, 0.0, 8.0);
    sequence.Add(0, Make("B"), 0, 8.0, 16.0);
    EXPECT_TRUE(Frame(7.999));
    EXPECT_EQ(record.calls, (Calls{"A Begin 0 member 0", "A Update"}));
    EXPECT_TRUE(Frame(8.0));
    EXPECT_EQ(record.calls, (Calls{"B Begin 0 member 0", "B Update"}));
    EXPECT_FALSE(Frame(16.0));
    EXPECT_TRUE(record.calls.empty());
    EXPECT_FALSE(Frame(-0.001));
}

TEST_F(SequenceTest, LowerLayersGoFirstAndEqualLayersKeepTheirOrder) {
    sequence.Add(1, Make("Title"), 0, 0.0, 10.0);
    sequence.Add(0, Make("A"), 0, 0.0, 10.0);
    sequence.Add(0, Make("B"), 0, 5.0, 10.0);
    EXPECT_EQ(Rendered(6.0), (Calls{"A Render", "B Render", "Title Render"}));
    Frame(6.0);
    EXPECT_EQ(record.calls, (Calls{"A Begin 0 member 0", "A Update", "B Begin 0 member 0", "B Update",
                                   "Title Begin 0 member 0", "Title Update"}));
    EXPECT_EQ(Rendered(10.0), Calls{});
}

TEST_F(SequenceTest, EachEntryBeginsOnceWithItsVariant) {
    RecordingScene* grid = Make("Grid");
    sequence.Add(0, grid, 1, 0.0, 1.0);
    sequence.Add(0, grid, 0, 1.0, 2.0);
    sequence.Add(0, grid, 3, 2.0, 3.0);
    std::vector<std::string> begins;
    for (double t : {0.25, 0.5, 1.5, 1.75, 0.75, 2.5, 2.75}) {
        Frame(t);
        for (const std::string& call : record.calls)
            if (call.find("Begin") != std::string::npos)
                begins.push_back(call);
    }
    // Going back into an entry already begun does not begin it again.
    EXPECT_EQ(begins, (Calls{"Grid Begin 1 member 1", "Grid Begin 0 member 0", "Grid Begin 3 member 3"}));
    EXPECT_EQ(grid->beginTimes, (std::vector<double>{0.25, 1.5, 2.5}));
    EXPECT_EQ(grid->GetVariant(), 3);
}

TEST_F(SequenceTest, SharedSceneIsInitialisedUploadedReleasedAndDeletedOnce) {
    RecordingScene* a = Make("A");
    RecordingScene* b = Make("B");
    sequence.Add(0, a, 0, 0.0, 1.0);
    sequence.Add(0, b, 0, 1.0, 2.0);
    sequence.Add(0, a, 1, 2.0, 3.0);
    EXPECT_TRUE(sequence.InitScenes());
    EXPECT_TRUE(sequence.UploadScenes());
    sequence.Destroy();
    EXPECT_EQ(record.Count("A Init"), 1);
    EXPECT_EQ(record.Count("A Upload"), 1);
    EXPECT_EQ(record.Count("A Release"), 1);
    EXPECT_EQ(record.Count("B Release"), 1);
    EXPECT_EQ(record.deleted, 2);
    EXPECT_FALSE(Frame(0.5));
}

TEST_F(SequenceTest, FirstFailingInitOrUploadStopsTheWalk) {
    RecordingScene* a = Make("A");
    RecordingScene* b = Make("B");
    RecordingScene* c = Make("C");
    sequence.Add(0, a, 0, 0.0, 1.0);
    sequence.Add(0, b, 0, 1.0, 2.0);
    sequence.Add(0, c, 0, 2.0, 3.0);
    b->initResult = false;
    a->uploadResult = false;
    EXPECT_FALSE(sequence.InitScenes());
    EXPECT_FALSE(sequence.UploadScenes());
    EXPECT_EQ(record.calls, (Calls{"A Init", "B Init", "A Upload"}));
}

TEST_F(SequenceTest, OnePrecalcTaskPerDistinctScene) {
    RecordingScene* a = Make("A");
    RecordingScene* b = Make("B");
    a->workUnits = 3;
    b->workUnits = 4;
    sequence.Add(0, a, 0, 0.0, 1.0);
    sequence.Add(0, b, 0, 1.0, 2.0);
    sequence.Add(0, a, 0, 2.0, 3.0);
    PrecalcQueue queue;
    sequence.AddPrecalcTasks(queue);
    queue.ComputeTotal();
    EXPECT_EQ(queue.GetTotalUnits(), 7);
}
