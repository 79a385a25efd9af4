#include "engine/platform/Threading.h"

#include <condition_variable>
#include <mutex>
#include <pthread.h>

namespace platform {

namespace {

// What the new thread needs; it frees the record itself, since the creator
// may have let go of its handle by then.
struct ThreadStart {
    ThreadProcedure procedure;
    void* argument;
};

void* RunThreadStart(void* argument) {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(argument));
    start->procedure(start->argument);
    return nullptr;
}

class PosixThread : public OsThread {
public:
    explicit PosixThread(pthread_t id) : id(id) {}
    ~PosixThread() override {
        if (!joined)
            pthread_detach(id);
    }
    void Join() override {
        if (joined)
            return;
        pthread_join(id, nullptr);
        joined = true;
    }

private:
    pthread_t id;
    bool joined = false;
};

class PosixEvent : public Event {
public:
    void Signal() override {
        // Notified under the lock: the waiter may destroy the event as soon
        // as it has seen the signal.
        std::lock_guard<std::mutex> hold(mutex);
        signalled = true;
        condition.notify_one();
    }
    void Wait() override {
        std::unique_lock<std::mutex> hold(mutex);
        condition.wait(hold, [this] { return signalled; });
        signalled = false;
    }

private:
    std::mutex mutex;
    std::condition_variable condition;
    bool signalled = false;
};

class PosixMutex : public Mutex {
public:
    void Lock() override { mutex.lock(); }
    void Unlock() override { mutex.unlock(); }

private:
    std::mutex mutex;
};

}

std::unique_ptr<OsThread> StartThread(ThreadProcedure procedure, void* argument, int& errorCode) {
    std::unique_ptr<ThreadStart> start(new ThreadStart{procedure, argument});
    pthread_t id;
    int result = pthread_create(&id, nullptr, RunThreadStart, start.get());
    if (result != 0) {
        errorCode = result;
        return nullptr;
    }
    start.release();
    return std::make_unique<PosixThread>(id);
}

std::unique_ptr<Event> CreateAutoResetEvent() { return std::make_unique<PosixEvent>(); }

std::unique_ptr<Mutex> CreateUnnamedMutex() { return std::make_unique<PosixMutex>(); }

}
