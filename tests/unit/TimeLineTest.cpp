#include "demo/show/EnvelopeTrack.h"
#include "demo/show/Sequence.h"
#include "demo/show/Tempo.h"
#include "demo/show/TimeLine.h"
#include "engine/core/PrecalcQueue.h"
#include "ShowTestScenes.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kSceneNames[kSceneIdCount] = {"Closing", "BoxGrid", "Cubes", "Spheres", "MeshLight", "Title"};

// The time line as the production's table gives it, in seconds to 3 places.
struct ExpectedEntry {
    int32_t layer;
    std::string scene;
    int32_t variant;
    double start;
    double end;
};

const ExpectedEntry kExpectedEntries[] = {
    {1, "Title", 0, 0.000, 148.114},        {0, "MeshLight", 0, 0.000, 21.943},   {0, "Spheres", 0, 21.943, 43.886},
    {0, "BoxGrid", 1, 43.886, 54.857},      {0, "BoxGrid", 0, 54.857, 65.829},    {0, "Cubes", 0, 65.829, 98.743},
    {0, "Spheres", 0, 98.743, 120.686},     {0, "BoxGrid", 1, 120.686, 126.171},  {0, "BoxGrid", 3, 126.171, 131.657},
    {0, "Spheres", 0, 131.657, 137.143},    {0, "BoxGrid", 1, 137.143, 142.629},  {0, "BoxGrid", 2, 142.629, 148.114},
    {0, "Closing", 0, 148.114, 151.114},
};

const double P = 480.0 / 175.0;

struct ExpectedEvent {
    EnvelopeKind kind;
    double start;
    double end;
};

const ExpectedEvent kExpectedEvents[] = {
    {EnvelopeKind::FadeIn, 0, 5},
    {EnvelopeKind::FlashIn, 8 * P - 0.3, 8 * P},      {EnvelopeKind::FlashOut, 8 * P, 8 * P + 0.5},
    {EnvelopeKind::FlashIn, 16 * P - 0.5, 16 * P},    {EnvelopeKind::FlashOut, 16 * P, 16 * P + 2},
    {EnvelopeKind::FlashIn, 20 * P - 0.1, 20 * P},    {EnvelopeKind::FlashOut, 20 * P, 20 * P + 1.5},
    {EnvelopeKind::FlashIn, 24 * P - 0.4, 24 * P},    {EnvelopeKind::FlashOut, 24 * P, 24 * P + 2.5},
    {EnvelopeKind::FlashIn, 36 * P - 0.3, 36 * P},    {EnvelopeKind::FlashOut, 36 * P, 36 * P + 0.5},
    {EnvelopeKind::FlashIn, 44 * P - 0.5, 44 * P},    {EnvelopeKind::FlashOut, 44 * P, 44 * P + 2},
    {EnvelopeKind::FlashIn, 46 * P - 0.1, 46 * P},    {EnvelopeKind::FlashOut, 46 * P, 46 * P + 1.5},
    {EnvelopeKind::FlashIn, 48 * P - 0.3, 48 * P},    {EnvelopeKind::FlashOut, 48 * P, 48 * P + 0.5},
    {EnvelopeKind::FlashIn, 50 * P - 0.5, 50 * P},    {EnvelopeKind::FlashOut, 50 * P, 50 * P + 2},
    {EnvelopeKind::FadeOut, 52 * P, 54 * P},
};

struct TimeLineTest : testing::Test {
    TimeLineTest() {
        SceneFactory factory = [this](SceneId id) -> std::unique_ptr<Scene> {
            auto scene = std::make_unique<RecordingScene>(kSceneNames[static_cast<int>(id)], record);
            created.push_back(kSceneNames[static_cast<int>(id)]);
            names[scene.get()] = created.back();
            return scene;
        };
        built = BuildTimeLine(tempo, factory, sequence, envelope);
    }
    RecordingScene* Find(const std::string& name) {
        for (auto& [scene, sceneName] : names)
            if (sceneName == name)
                return static_cast<RecordingScene*>(scene);
        return nullptr;
    }
    // The names of the scenes that update at the time, in drawing order.
    std::vector<std::string> ActiveAt(double time) {
        record.calls.clear();
        DemoTime now{time, 0.0};
        sequence.Update(&now);
        std::vector<std::string> active;
        for (const std::string& call : record.calls)
            if (call.size() > 7 && call.compare(call.size() - 7, 7, " Update") == 0)
                active.push_back(call.substr(0, call.size() - 7));
        return active;
    }
    SceneCalls record;
    Tempo tempo;
    Sequence sequence;
    EnvelopeTrack envelope;
    std::vector<std::string> created;
    std::map<Scene*, std::string> names;
    bool built = false;
};

using Names = std::vector<std::string>;

}

TEST_F(TimeLineTest, ScenesAreMadeInTheirOrderAndEntriesFollowTheTable) {
    ASSERT_TRUE(built);
    EXPECT_EQ(created, (Names{"Closing", "BoxGrid", "Cubes", "Spheres", "MeshLight", "Title"}));
    const auto& entries = sequence.GetEntries();
    ASSERT_EQ(entries.size(), std::size(kExpectedEntries));
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        const ExpectedEntry& expected = kExpectedEntries[i];
        EXPECT_EQ(entries[i]->layer, expected.layer);
        EXPECT_EQ(names[entries[i]->scene], expected.scene);
        EXPECT_EQ(entries[i]->variant, expected.variant);
        EXPECT_NEAR(entries[i]->start, expected.start, 0.0005);
        EXPECT_NEAR(entries[i]->end, expected.end, 0.0005);
        EXPECT_DOUBLE_EQ(entries[i]->duration, entries[i]->end - entries[i]->start);
        EXPECT_TRUE(entries[i]->pendingBegin);
    }
    EXPECT_DOUBLE_EQ(entries.back()->end, 54 * P + 3.0);
}

TEST_F(TimeLineTest, DemoEnvelopeHoldsTheTablesRamps) {
    const auto& events = envelope.GetEvents();
    ASSERT_EQ(events.size(), std::size(kExpectedEvents));
    for (size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE("event " + std::to_string(i));
        EXPECT_EQ(events[i].kind, kExpectedEvents[i].kind);
        EXPECT_DOUBLE_EQ(events[i].start, kExpectedEvents[i].start);
        EXPECT_DOUBLE_EQ(events[i].end, kExpectedEvents[i].end);
    }
    EXPECT_NEAR(envelope.Fade(2.5), 0.5, 1e-9);
    EXPECT_NEAR(envelope.Fade(53 * P), 0.5, 1e-9);
    EXPECT_NEAR(envelope.Fade(30.0), 1.0, 1e-9);
    EXPECT_NEAR(envelope.Flash(16 * P - 0.25), 0.5, 1e-9);
    EXPECT_NEAR(envelope.Flash(16 * P), 1.0, 1e-9);
    EXPECT_NEAR(envelope.Flash(16 * P + 1), 0.5, 1e-9);
}

TEST_F(TimeLineTest, BoundariesBetweenScenes) {
    EXPECT_EQ(ActiveAt(0.0), (Names{"MeshLight", "Title"}));
    EXPECT_EQ(ActiveAt(8 * P), (Names{"Spheres", "Title"}));
    EXPECT_EQ(ActiveAt(54 * P), (Names{"Closing"}));
    EXPECT_EQ(ActiveAt(54 * P + 2.999), (Names{"Closing"}));
    EXPECT_EQ(ActiveAt(54 * P + 3.0), Names{});
}

// The whole show at 60 frames per second, as the demo would play it.
TEST_F(TimeLineTest, PlayingThroughBeginsTheBoxGridWithEachEntrysVariant) {
    ASSERT_TRUE(sequence.InitScenes());
    PrecalcQueue queue;
    sequence.AddPrecalcTasks(queue);
    ASSERT_TRUE(sequence.UploadScenes());
    record.calls.clear();
    DemoTime now;
    int frame = 0;
    for (;; ++frame) {
        now.time = frame / 60.0;
        if (!sequence.Update(&now))
            break;
        envelope.Expire(now.time);
        sequence.Render(now.time);
    }
    EXPECT_GE(now.time, 54 * P + 3.0);
    EXPECT_LT(now.time, 54 * P + 3.0 + 1.0 / 60);
    Names gridBegins;
    for (const std::string& call : record.calls)
        if (call.rfind("BoxGrid Begin", 0) == 0)
            gridBegins.push_back(call);
    EXPECT_EQ(gridBegins, (Names{"BoxGrid Begin 1 member 1", "BoxGrid Begin 0 member 0", "BoxGrid Begin 1 member 1",
                                 "BoxGrid Begin 3 member 3", "BoxGrid Begin 1 member 1", "BoxGrid Begin 2 member 2"}));
    const std::vector<double>& times = Find("BoxGrid")->beginTimes;
    ASSERT_EQ(times.size(), 6u);
    EXPECT_NEAR(times[0], 16 * P, 1.0 / 60);
    EXPECT_GE(times[0], 16 * P);
    EXPECT_EQ(record.Count("Title Begin 0 member 0"), 1);
    EXPECT_TRUE(envelope.GetEvents().empty());
    sequence.Destroy();
    EXPECT_EQ(record.Count("BoxGrid Release"), 1);
    EXPECT_EQ(record.deleted, kSceneIdCount);
}

TEST(TimeLine, SceneThatCannotBeMadeAddsNothing) {
    Sequence sequence;
    EnvelopeTrack envelope;
    SceneCalls record;
    SceneFactory factory = [&record](SceneId id) -> std::unique_ptr<Scene> {
        if (id == SceneId::Title)
            return nullptr;
        return std::make_unique<RecordingScene>("any", record);
    };
    EXPECT_FALSE(BuildTimeLine(Tempo(), factory, sequence, envelope));
    EXPECT_TRUE(sequence.GetEntries().empty());
    EXPECT_TRUE(envelope.GetEvents().empty());
    EXPECT_EQ(record.deleted, kSceneIdCount - 1);
}
