#ifdef _WIN32

#include "engine/platform/Threading.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Handshake {
    std::unique_ptr<platform::Event> go = platform::CreateAutoResetEvent();
    std::unique_ptr<platform::Event> done = platform::CreateAutoResetEvent();
    std::atomic<int> runs{0};
};

void AnswerOnce(void* argument) {
    auto* handshake = static_cast<Handshake*>(argument);
    handshake->go->Wait();
    ++handshake->runs;
    handshake->done->Signal();
}

TEST(Win32Threading, AThreadRunsItsProcedureAndJoinWaitsForIt) {
    Handshake handshake;
    int errorCode = 0;
    std::unique_ptr<platform::OsThread> thread = platform::StartThread(AnswerOnce, &handshake, errorCode);
    ASSERT_TRUE(thread);
    handshake.go->Signal();
    thread->Join();
    EXPECT_EQ(handshake.runs, 1);
}

TEST(Win32Threading, AThreadLetGoUnjoinedRunsOn) {
    Handshake handshake;
    int errorCode = 0;
    std::unique_ptr<platform::OsThread> thread = platform::StartThread(AnswerOnce, &handshake, errorCode);
    ASSERT_TRUE(thread);
    thread.reset();
    handshake.go->Signal();
    handshake.done->Wait();
    EXPECT_EQ(handshake.runs, 1);
}

TEST(Win32Threading, AMutexKeepsTwoThreadsApart) {
    struct Shared {
        std::unique_ptr<platform::Mutex> lock = platform::CreateUnnamedMutex();
        int count = 0;
    } shared;
    auto addMany = [](void* argument) {
        auto* state = static_cast<Shared*>(argument);
        for (int i = 0; i < 100000; ++i) {
            platform::MutexLock hold(*state->lock);
            ++state->count;
        }
    };
    int errorCode = 0;
    std::unique_ptr<platform::OsThread> first = platform::StartThread(addMany, &shared, errorCode);
    std::unique_ptr<platform::OsThread> second = platform::StartThread(addMany, &shared, errorCode);
    ASSERT_TRUE(first && second);
    first->Join();
    second->Join();
    EXPECT_EQ(shared.count, 200000);
}

}

#endif
