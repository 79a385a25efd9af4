#include "engine/core/PrecalcQueue.h"
#include "engine/platform/SystemServices.h"
#include "TestEngine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <future>
#include <memory>
#include <vector>

namespace {

// Reports a given number of steps and returns a given result.
class CountingTask : public PrecalcTask {
public:
    CountingTask(int32_t announced, int32_t reported, bool result = true)
        : announced(announced), reported(reported), result(result) {}
    int32_t WorkUnits() override { return announced; }
    bool Run(PrecalcProgress* progress) override {
        ran = true;
        for (int32_t i = 0; i < reported; ++i)
            progress->Step();
        return result;
    }
    int32_t announced;
    int32_t reported;
    bool result;
    std::atomic<bool> ran{false};
};

// Runs until the owner asks the queue to stop, as a long task would.
class TaskUntilStopped : public PrecalcTask {
public:
    int32_t WorkUnits() override { return 1; }
    bool Run(PrecalcProgress* progress) override {
        entered.set_value();
        while (!progress->IsStopRequested())
            platform::SleepMilliseconds(1);
        progress->Step();
        return true;
    }
    std::promise<void> entered;
};

struct PauseRecord {
    uint32_t milliseconds;
    int32_t doneUnits;
};

struct PrecalcQueueTest : testing::Test {
    PrecalcQueueTest() {
        // The pauses are noted, not slept: what matters is when they fall.
        queue.SetPause([this](uint32_t milliseconds) { pauses.push_back({milliseconds, queue.GetDoneUnits()}); });
    }
    CountingTask* Add(int32_t announced, int32_t reported, bool result = true) {
        auto task = std::make_unique<CountingTask>(announced, reported, result);
        CountingTask* added = task.get();
        queue.AddTask(std::move(task));
        return added;
    }
    void RunToEnd() {
        queue.ComputeTotal();
        ASSERT_TRUE(queue.Start());
        WaitUntilEnded();
    }
    void WaitUntilEnded() {
        for (int i = 0; i < 10000 && queue.IsRunning(); ++i)
            platform::SleepMilliseconds(1);
        ASSERT_FALSE(queue.IsRunning());
        queue.Stop();
    }
    TestEngine engine;
    PrecalcQueue queue;
    std::vector<PauseRecord> pauses;  // written by the worker, read after it ended
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}

TEST_F(PrecalcQueueTest, EmptyQueueFinishesWithNoUnitsAfterOnePause) {
    RunToEnd();
    EXPECT_TRUE(queue.IsFinished());
    EXPECT_EQ(queue.GetDoneUnits(), 0);
    EXPECT_EQ(queue.GetTotalUnits(), 0);
    ASSERT_EQ(pauses.size(), 1u);
    EXPECT_EQ(pauses[0].milliseconds, 2000u);
    EXPECT_EQ(queue.GetStatus(), "Processing...");
}

TEST_F(PrecalcQueueTest, TaskRunsBetweenThePauseAtZeroAndTheHoldAfterProgress) {
    Add(100, 100);
    RunToEnd();
    EXPECT_TRUE(queue.IsFinished());
    EXPECT_EQ(queue.GetDoneUnits(), 100);
    EXPECT_EQ(queue.GetTotalUnits(), 100);
    ASSERT_EQ(pauses.size(), 2u);
    EXPECT_EQ(pauses[0].doneUnits, 0);
    EXPECT_EQ(pauses[1].doneUnits, 100);
    EXPECT_EQ(pauses[1].milliseconds, 2000u);
}

TEST_F(PrecalcQueueTest, HoldComesOnceAfterTheFirstTaskWithProgress) {
    Add(0, 0);
    Add(5, 5);
    Add(7, 7);
    RunToEnd();
    ASSERT_EQ(pauses.size(), 2u);
    EXPECT_EQ(pauses[1].doneUnits, 5);
    EXPECT_EQ(queue.GetDoneUnits(), 12);
}

TEST_F(PrecalcQueueTest, TotalIsRecomputedNotAccumulated) {
    Add(3, 3);
    Add(4, 4);
    queue.ComputeTotal();
    queue.ComputeTotal();
    EXPECT_EQ(queue.GetTotalUnits(), 7);
}

TEST_F(PrecalcQueueTest, FailingTaskEndsTheRunUnfinishedAndSilently) {
    Add(3, 3);
    Add(2, 1, false);
    CountingTask* after = Add(4, 4);
    RunToEnd();
    EXPECT_FALSE(queue.IsFinished());
    EXPECT_FALSE(after->ran);
    EXPECT_EQ(queue.GetDoneUnits(), 4);
    EXPECT_TRUE(engine.sink.lines.empty());
}

TEST_F(PrecalcQueueTest, TaskReportingTooFewUnitsFinishesShortOfTheTotal) {
    Add(10, 7);
    RunToEnd();
    EXPECT_TRUE(queue.IsFinished());
    EXPECT_EQ(queue.GetDoneUnits(), 7);
    EXPECT_EQ(queue.GetTotalUnits(), 10);
}

TEST_F(PrecalcQueueTest, StopDuringATaskSkipsTheTasksAfterIt) {
    auto running = std::make_unique<TaskUntilStopped>();
    std::future<void> entered = running->entered.get_future();
    queue.AddTask(std::move(running));
    CountingTask* after = Add(4, 4);
    ASSERT_TRUE(queue.Start());
    EXPECT_TRUE(queue.IsRunning());
    entered.wait();
    EXPECT_FALSE(queue.AddTask(std::make_unique<CountingTask>(1, 1)));
    queue.Stop();
    EXPECT_FALSE(queue.IsRunning());
    EXPECT_FALSE(after->ran);
    EXPECT_TRUE(queue.IsFinished());
    EXPECT_EQ(queue.GetDoneUnits(), 1);
}

TEST_F(PrecalcQueueTest, DeletingARunningQueueWaitsForItsWorker) {
    auto doomed = std::make_unique<PrecalcQueue>();
    doomed->SetPause(nullptr);
    auto running = std::make_unique<TaskUntilStopped>();
    std::future<void> entered = running->entered.get_future();
    doomed->AddTask(std::move(running));
    ASSERT_TRUE(doomed->Start());
    entered.wait();
    doomed.reset();
}

TEST_F(PrecalcQueueTest, RefusedThreadIsReportedAndNothingRuns) {
    queue.SetStarter([](platform::ThreadProcedure, void*, int& errorCode) -> std::unique_ptr<platform::OsThread> {
        errorCode = EAGAIN;
        return nullptr;
    });
    CountingTask* task = Add(1, 1);
    EXPECT_FALSE(queue.Start());
    EXPECT_FALSE(queue.IsRunning());
    queue.Stop();
    EXPECT_FALSE(task->ran);
    ASSERT_EQ(engine.sink.Texts().size(), 1u);
    EXPECT_EQ(engine.sink.Texts()[0], "_beginthreadex failed with error code " + std::to_string(EAGAIN));
    EXPECT_EQ(engine.sink.levels[0], LOG_ERROR);
}

// The real pauses, once: the bar must be seen for a while even with no work.
TEST(PrecalcQueue, RealPauseHoldsAnEmptyRunForTwoSeconds) {
    PrecalcQueue queue;
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(queue.Start());
    while (queue.IsRunning())
        platform::SleepMilliseconds(5);
    EXPECT_GE(SecondsSince(start), 1.99);
    EXPECT_TRUE(queue.IsFinished());
    queue.Stop();
}

TEST(PrecalcQueue, StopCutsARealPauseShort) {
    PrecalcQueue queue;
    auto task = std::make_unique<CountingTask>(1, 1);
    CountingTask* added = task.get();
    queue.AddTask(std::move(task));
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(queue.Start());
    queue.Stop();
    EXPECT_LT(SecondsSince(start), 1.0);
    EXPECT_FALSE(added->ran);
}
