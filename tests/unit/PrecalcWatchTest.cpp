#include "demo/PrecalcWatch.h"

#include <gtest/gtest.h>

namespace {

// A worker seen from the main thread. With endsOnFirstRead, the worker makes
// its last Step and ends right after the first read of any kind, which is the
// moment the main thread can be overtaken.
class FakeWorker : public PrecalcStatus {
public:
    bool IsRunning() const override {
        bool value = running;
        Overtake();
        return value;
    }
    int32_t GetDoneUnits() const override {
        int32_t value = done;
        Overtake();
        return value;
    }
    bool IsFinished() const override {
        bool value = finished;
        Overtake();
        return value;
    }

    mutable bool running = true;
    mutable int32_t done = 0;
    mutable bool finished = false;
    mutable bool endsOnFirstRead = false;

private:
    void Overtake() const {
        if (!endsOnFirstRead)
            return;
        endsOnFirstRead = false;
        ++done;
        finished = true;
        running = false;
    }
};

}

TEST(PrecalcWatchTest, RunningWorkerShowsItsProgress) {
    FakeWorker worker;
    worker.done = 3;
    PrecalcReading reading = ReadPrecalc(worker, 5);
    EXPECT_EQ(reading.outcome, PrecalcOutcome::Running);
    EXPECT_EQ(reading.doneUnits, 3);
}

TEST(PrecalcWatchTest, EndedWorkerWithAllUnitsAndFinishedPlays) {
    FakeWorker worker;
    worker.running = false;
    worker.done = 5;
    worker.finished = true;
    EXPECT_EQ(ReadPrecalc(worker, 5).outcome, PrecalcOutcome::Succeeded);

    worker.done = 0;
    EXPECT_EQ(ReadPrecalc(worker, 0).outcome, PrecalcOutcome::Succeeded) << "an empty queue plays at once";
}

TEST(PrecalcWatchTest, EndedWorkerThatFailedOrCameUpShortDoesNotPlay) {
    FakeWorker failed;
    failed.running = false;
    failed.done = 5;
    failed.finished = false;
    EXPECT_EQ(ReadPrecalc(failed, 5).outcome, PrecalcOutcome::Failed);

    FakeWorker shortOfUnits;
    shortOfUnits.running = false;
    shortOfUnits.done = 4;
    shortOfUnits.finished = true;
    EXPECT_EQ(ReadPrecalc(shortOfUnits, 5).outcome, PrecalcOutcome::Failed);

    FakeWorker tooMany;
    tooMany.running = false;
    tooMany.done = 6;
    tooMany.finished = true;
    EXPECT_EQ(ReadPrecalc(tooMany, 5).outcome, PrecalcOutcome::Failed);
}

TEST(PrecalcWatchTest, LastStepLandingBetweenTheReadsStillPlays) {
    FakeWorker worker;
    worker.done = 4;
    worker.endsOnFirstRead = true;
    PrecalcReading first = ReadPrecalc(worker, 5);
    EXPECT_NE(first.outcome, PrecalcOutcome::Failed);
    PrecalcReading next = ReadPrecalc(worker, 5);
    EXPECT_EQ(next.outcome, PrecalcOutcome::Succeeded);
}
