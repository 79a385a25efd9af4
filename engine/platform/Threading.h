#pragma once

#include <memory>

namespace platform {

// The function a new thread runs, with the argument it was started with.
using ThreadProcedure = void (*)(void* argument);

// An OS thread. Destroying it without Join lets the thread run on by itself.
class OsThread {
public:
    virtual ~OsThread() = default;
    // Waits without time limit until the thread has returned.
    virtual void Join() = 0;
};

// Runs the procedure on a new thread at once, with the default stack size.
// Null when the OS cannot create one; errorCode then holds the C library's
// error number for the refusal.
std::unique_ptr<OsThread> StartThread(ThreadProcedure procedure, void* argument, int& errorCode);

// An auto-reset event, not signalled at first: each Wait returns after one
// Signal and takes the signal away.
class Event {
public:
    virtual ~Event() = default;
    virtual void Signal() = 0;
    virtual void Wait() = 0;
};

std::unique_ptr<Event> CreateAutoResetEvent();

// A lock for short sections shared by two threads; not recursive.
class Mutex {
public:
    virtual ~Mutex() = default;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};

std::unique_ptr<Mutex> CreateUnnamedMutex();

// Holds a mutex for the lifetime of the object.
class MutexLock {
public:
    explicit MutexLock(Mutex& mutex) : mutex(mutex) { mutex.Lock(); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    ~MutexLock() { mutex.Unlock(); }

private:
    Mutex& mutex;
};

}
