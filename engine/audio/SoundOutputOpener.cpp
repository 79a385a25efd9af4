#include "engine/audio/SoundOutputOpener.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

struct SoundOutputOpener::Shared {
    explicit Shared(Factory factory) : factory(std::move(factory)) {}

    Factory factory;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<SoundOutput> retired;
    bool openWanted = false;
    bool opening = false;
    SoundOutput opened;
    bool quit = false;
    bool finished = false;
};

SoundOutputOpener::SoundOutputOpener(Factory factory) : shared(std::make_shared<Shared>(std::move(factory))) {}

SoundOutputOpener::~SoundOutputOpener() {
    if (!threadStarted)
        return;
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->quit = true;
    shared->changed.notify_all();
    // A thread stuck on a stalled device keeps its own reference to the
    // shared state and ends whenever the device lets it.
    shared->changed.wait_for(lock, std::chrono::duration<double>(kFinishSeconds), [this] { return shared->finished; });
}

void SoundOutputOpener::Retire(SoundOutput output) {
    if (!output.device && !output.buffer)
        return;
    StartThread();
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->retired.push_back(std::move(output));
    shared->changed.notify_all();
}

void SoundOutputOpener::RequestOpen() {
    StartThread();
    std::lock_guard<std::mutex> lock(shared->mutex);
    if (shared->opening || shared->opened)
        return;
    shared->openWanted = true;
    shared->changed.notify_all();
}

SoundOutput SoundOutputOpener::TakeOpened() {
    std::lock_guard<std::mutex> lock(shared->mutex);
    return std::move(shared->opened);
}

void SoundOutputOpener::StartThread() {
    if (threadStarted)
        return;
    threadStarted = true;
    std::thread(Run, shared).detach();
}

// Old outputs go first: the one that failed may hold the very device the
// next attempt needs.
void SoundOutputOpener::Run(std::shared_ptr<Shared> shared) {
    std::unique_lock<std::mutex> lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->quit || !shared->retired.empty() || shared->openWanted; });
        if (!shared->retired.empty()) {
            std::vector<SoundOutput> closing = std::move(shared->retired);
            shared->retired.clear();
            lock.unlock();
            closing.clear();
            lock.lock();
            continue;
        }
        if (shared->quit)
            break;
        shared->openWanted = false;
        shared->opening = true;
        lock.unlock();
        SoundOutput output = shared->factory();
        lock.lock();
        shared->opening = false;
        if (shared->quit) {
            lock.unlock();
            output = SoundOutput();
            lock.lock();
        } else {
            shared->opened = std::move(output);
        }
    }
    shared->finished = true;
    shared->changed.notify_all();
}
