#include "engine/core/Thread.h"

#include "engine/core/Message.h"

Thread::Thread() : startedEvent(platform::CreateAutoResetEvent()) {}

// A worker still held is let go; Stop has joined it in the normal course.
Thread::~Thread() = default;

bool Thread::Start() {
    if (threadHandle)
        return false;
    stopRequested = false;
    int errorCode = 0;
    threadHandle = starter(Procedure, this, errorCode);
    if (!threadHandle) {
        Message(LOG_ERROR, "_beginthreadex failed with error code %i", errorCode);
        return false;
    }
    startedEvent->Wait();
    return true;
}

void Thread::Stop() {
    if (running)
        stopRequested = true;
    // Joined even when the worker has ended, so that the OS thread is reaped;
    // that join returns at once.
    if (threadHandle) {
        threadHandle->Join();
        threadHandle.reset();
    }
    running = false;
}

void Thread::Procedure(void* argument) {
    Thread* thread = static_cast<Thread*>(argument);
    thread->running = true;
    thread->startedEvent->Signal();
    thread->Run();
    // The last touch of the object: the owner may delete it once it reads false.
    thread->running = false;
}
