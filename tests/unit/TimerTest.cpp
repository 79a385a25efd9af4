#include "engine/core/Clock.h"
#include "engine/core/FactoryRegistry.h"
#include "engine/core/FpsCounter.h"
#include "engine/core/FrameListener.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/PerformanceCounterTimeSource.h"
#include "TestEngine.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TimerFixture : testing::Test {
    TimerFixture() {
        timer.Reset(0.03);
        timer.SetTimeSource(&source);
    }
    void Advance(double seconds) {
        source.now += seconds;
        timer.Update();
    }
    ManualTimeSource source;
    FrameTimer timer;
};

struct CountingListener : FrameListener {
    void OnFrame() override { ++frames; }
    int frames = 0;
};

}

TEST_F(TimerFixture, DeltaFollowsTheTimeSource) {
    Advance(0.016);
    EXPECT_DOUBLE_EQ(timer.GetDelta(), 0.016);
    Advance(0.016);
    EXPECT_DOUBLE_EQ(timer.GetTotalTime(), 0.032);
}

TEST_F(TimerFixture, StallRepeatsThePreviousDelta) {
    Advance(0.016);
    Advance(0.5);
    EXPECT_DOUBLE_EQ(timer.GetDelta(), 0.016);
    Advance(0.2);  // exactly the limit is no stall
    EXPECT_DOUBLE_EQ(timer.GetDelta(), 0.2);
}

TEST_F(TimerFixture, StallOnTheFirstUpdateGivesTheResetDelta) {
    Advance(1.0);
    EXPECT_DOUBLE_EQ(timer.GetDelta(), 0.03);
}

TEST(FrameTimer, WithoutTimeSourceDeltasAreZero) {
    FrameTimer timer;
    timer.Reset(0.03);
    timer.Update();
    EXPECT_EQ(timer.GetDelta(), 0.0);
}

TEST_F(TimerFixture, ListenersAreCalledAndRemovedEveryWhere) {
    CountingListener twice, once;
    timer.AddListener(&twice);
    timer.AddListener(&once);
    timer.AddListener(&twice);
    Advance(0.01);
    EXPECT_EQ(twice.frames, 2);
    EXPECT_EQ(once.frames, 1);
    timer.RemoveListener(&twice);
    CountingListener absent;
    timer.RemoveListener(&absent);
    Advance(0.01);
    EXPECT_EQ(twice.frames, 2);
    EXPECT_EQ(once.frames, 2);
}

TEST_F(TimerFixture, PausedClockKeepsItsTimeAndResumesWithoutJump) {
    Clock clock;
    clock.Attach(&timer);
    Advance(0.1);
    clock.paused = true;
    Advance(0.1);
    EXPECT_DOUBLE_EQ(clock.GetTime(), 0.1);
    clock.paused = false;
    Advance(0.05);
    EXPECT_DOUBLE_EQ(clock.GetTime(), 0.15);
}

TEST_F(TimerFixture, ClockSpeedScalesTheTimer) {
    Clock clock(2.0);
    clock.Attach(&timer);
    Advance(0.1);
    Advance(0.05);
    EXPECT_DOUBLE_EQ(clock.GetTime(), 2.0 * timer.GetTotalTime());
}

TEST_F(TimerFixture, DestroyedClockDetachesItself) {
    {
        Clock clock;
        clock.Attach(&timer);
    }
    Advance(0.01);  // would call into the dead clock
    Clock detached;
    detached.OnFrame();
    EXPECT_EQ(detached.GetTime(), 0.0);
}

TEST(FpsCounter, MeasuresOncePerIntervalAndTruncatesNothingItself) {
    FpsCounter counter(0.0);
    for (int frame = 1; frame <= 59; ++frame)
        counter.CountFrame(frame / 60.0);
    EXPECT_EQ(counter.GetFps(), 0.0f);  // the first second has not passed
    counter.CountFrame(1.005);
    EXPECT_NEAR(counter.GetFps(), 60 / 1.005, 1e-4);
}

TEST(FpsCounter, LongFrameGivesOneMeasurement) {
    FpsCounter counter(0.0);
    counter.CountFrame(3.0);
    EXPECT_FLOAT_EQ(counter.GetFps(), 1.0f / 3.0f);
    counter.CountFrame(3.5);
    EXPECT_FLOAT_EQ(counter.GetFps(), 1.0f / 3.0f);
}

TEST(FactoryRegistry, KeepsTheFirstFactoryForAnId) {
    struct Widget {
        virtual ~Widget() = default;
        virtual int Kind() const = 0;
    };
    struct First : Widget {
        int Kind() const override { return 1; }
    };
    struct Second : Widget {
        int Kind() const override { return 2; }
    };
    auto& registry = FactoryRegistry<Widget>::Instance();
    EXPECT_TRUE(registry.Register(1, [] () -> Widget* { return new First; }));
    EXPECT_FALSE(registry.Register(1, [] () -> Widget* { return new Second; }));
    std::unique_ptr<Widget> made(registry.Create(1));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Kind(), 1);
    EXPECT_EQ(registry.Find(2), nullptr);
    EXPECT_EQ(registry.Create(2), nullptr);
}

TEST(FactoryRegistry, PerformanceCounterTimeSourceIsIdOne) {
    std::unique_ptr<TimeSource> source(FactoryRegistry<TimeSource>::Instance().Create(1));
    ASSERT_TRUE(source);
    EXPECT_NE(dynamic_cast<PerformanceCounterTimeSource*>(source.get()), nullptr);
    double first = source->Now();
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 1.0);
    EXPECT_GE(source->Now(), first);
}
