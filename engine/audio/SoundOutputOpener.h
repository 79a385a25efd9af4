#pragma once

#include "engine/platform/SoundDevice.h"

#include <functional>
#include <memory>

// Opens sound devices and closes old ones on a thread of its own, so that
// neither ever holds up a frame: a device whose server has stalled can take
// as long to close as the stall lasts, and opening one talks to the server.
// The thread starts with the first request.
class SoundOutputOpener {
public:
    // Makes a device and its buffer, or an empty output; runs on the thread.
    using Factory = std::function<SoundOutput()>;

    // How long the destructor waits for a thread that is still busy before it
    // leaves it to finish on its own.
    static constexpr double kFinishSeconds = 0.5;

    explicit SoundOutputOpener(Factory factory);
    ~SoundOutputOpener();
    SoundOutputOpener(const SoundOutputOpener&) = delete;
    SoundOutputOpener& operator=(const SoundOutputOpener&) = delete;

    // Closes the output on the thread.
    void Retire(SoundOutput output);
    // Asks for one attempt to open an output; ignored while one is under way
    // or an opened output waits to be taken.
    void RequestOpen();
    // The output the last attempt opened, once; empty otherwise.
    SoundOutput TakeOpened();

private:
    struct Shared;
    void StartThread();
    static void Run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared;
    bool threadStarted = false;
};
