#include "engine/platform/ErrorDialog.h"

#include <gtest/gtest.h>

#include <thread>

// The tests run with ZPDEMO_NO_DIALOGS, so showing a box only takes it off
// the queue. gtest runs the tests on the process's main thread.
TEST(ErrorDialogQueueTest, BoxesFromAnotherThreadWaitForTheMainThread) {
    platform::ShowPendingErrorBoxes();
    int drainedByWorker = -1;
    std::thread worker([&drainedByWorker] {
        platform::ShowErrorBox("Application error", "Cannot load mesh from file 'a.mesh'.");
        platform::ShowErrorBox("Application error", "Cannot load image from file 'b.tga'.");
        drainedByWorker = platform::ShowPendingErrorBoxes();
    });
    worker.join();
    EXPECT_EQ(drainedByWorker, 0);
    EXPECT_EQ(platform::ShowPendingErrorBoxes(), 2);
    EXPECT_EQ(platform::ShowPendingErrorBoxes(), 0);
}

TEST(ErrorDialogQueueTest, BoxOnTheMainThreadIsNotQueued) {
    platform::ShowPendingErrorBoxes();
    testing::internal::CaptureStderr();
    platform::ShowErrorBox("Application error", "Could not open music file.");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Application error: Could not open music file.\n");
    EXPECT_EQ(platform::ShowPendingErrorBoxes(), 0);
}

TEST(ErrorDialogQueueTest, WorkerTextReachesStandardErrorAtOnce) {
    testing::internal::CaptureStderr();
    std::thread worker([] { platform::ShowErrorBox("Application error", "Cannot load mesh from file 'c.mesh'."); });
    worker.join();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Application error: Cannot load mesh from file 'c.mesh'.\n");
    EXPECT_EQ(platform::ShowPendingErrorBoxes(), 1);
}
