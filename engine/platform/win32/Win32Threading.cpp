#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/Threading.h"

#include <cerrno>
#include <process.h>

namespace platform {

namespace {

// What the new thread needs; it frees the record itself, since the creator
// may have let go of its handle by then.
struct ThreadStart {
    ThreadProcedure procedure;
    void* argument;
};

// _beginthreadex rather than CreateThread: the C runtime sets up its
// per-thread state for the new thread.
unsigned __stdcall RunThreadStart(void* argument) {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(argument));
    start->procedure(start->argument);
    return 0;
}

class Win32Thread : public OsThread {
public:
    explicit Win32Thread(HANDLE handle) : handle(handle) {}
    // Closing the handle lets a thread that was never joined run on.
    ~Win32Thread() override { CloseHandle(handle); }
    void Join() override { WaitForSingleObject(handle, INFINITE); }

private:
    HANDLE handle;
};

class Win32Event : public Event {
public:
    Win32Event() : handle(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~Win32Event() override {
        if (handle)
            CloseHandle(handle);
    }
    Win32Event(const Win32Event&) = delete;
    Win32Event& operator=(const Win32Event&) = delete;

    void Signal() override { SetEvent(handle); }
    void Wait() override { WaitForSingleObject(handle, INFINITE); }

private:
    HANDLE handle;
};

class Win32Mutex : public Mutex {
public:
    Win32Mutex() { InitializeCriticalSection(&section); }
    ~Win32Mutex() override { DeleteCriticalSection(&section); }
    Win32Mutex(const Win32Mutex&) = delete;
    Win32Mutex& operator=(const Win32Mutex&) = delete;

    void Lock() override { EnterCriticalSection(&section); }
    void Unlock() override { LeaveCriticalSection(&section); }

private:
    CRITICAL_SECTION section;
};

}

std::unique_ptr<OsThread> StartThread(ThreadProcedure procedure, void* argument, int& errorCode) {
    std::unique_ptr<ThreadStart> start(new ThreadStart{procedure, argument});
    errno = 0;
    const uintptr_t handle = _beginthreadex(nullptr, 0, RunThreadStart, start.get(), 0, nullptr);
    if (handle == 0) {
        errorCode = errno != 0 ? errno : EAGAIN;
        return nullptr;
    }
    start.release();
    return std::make_unique<Win32Thread>(reinterpret_cast<HANDLE>(handle));
}

std::unique_ptr<Event> CreateAutoResetEvent() { return std::make_unique<Win32Event>(); }

std::unique_ptr<Mutex> CreateUnnamedMutex() { return std::make_unique<Win32Mutex>(); }

}
