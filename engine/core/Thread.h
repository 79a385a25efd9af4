#pragma once

#include "engine/platform/Threading.h"

#include <atomic>
#include <memory>

// A worker thread around one piece of work, Run. A class that derives from it
// must Stop in its own destructor: Run may still use its members.
class Thread {
public:
    // How the OS thread is created; tests stand in an OS that refuses.
    using Starter = std::unique_ptr<platform::OsThread> (*)(platform::ThreadProcedure procedure, void* argument,
                                                            int& errorCode);

    Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    virtual ~Thread();

    // Starts the worker and returns once it runs. False when no thread could
    // be created, or when a worker is already held.
    bool Start();
    // Asks the work to end and waits for the worker; when it has ended
    // already, there is nothing to wait for.
    void Stop();
    bool IsRunning() const { return running; }

    void SetStarter(Starter starter) { this->starter = starter; }

protected:
    // The work, on the worker thread; the result is the work's own affair.
    virtual bool Run() = 0;
    bool StopWasRequested() const { return stopRequested; }

private:
    static void Procedure(void* argument);

    std::atomic<bool> running{false};
    std::atomic<bool> stopRequested{false};
    std::unique_ptr<platform::Event> startedEvent;
    std::unique_ptr<platform::OsThread> threadHandle;
    Starter starter = platform::StartThread;
};
