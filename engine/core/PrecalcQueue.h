#pragma once

#include "engine/core/PrecalcProgress.h"
#include "engine/core/PrecalcTask.h"
#include "engine/core/Thread.h"
#include "engine/platform/Threading.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Runs the precalc tasks in order on a worker thread, while the owner reads
// the progress from its counters. The worker pauses twice, so that the bar
// shows for about four seconds even when the tasks are quick: before the
// first task, and after the first task that reported progress.
class PrecalcQueue : public Thread, public PrecalcProgress {
public:
    // How the worker waits out a pause; tests stand in their own.
    using PauseFunction = std::function<void(uint32_t milliseconds)>;

    static constexpr uint32_t kPauseMilliseconds = 2000;

    PrecalcQueue();
    ~PrecalcQueue() override;

    // Appends a task; before Start only (false, and the task is dropped, once
    // the worker runs).
    bool AddTask(std::unique_ptr<PrecalcTask> task);
    // Sums the tasks' work units; does nothing while the worker runs.
    void ComputeTotal();

    // Read under the lock, from any thread.
    int32_t GetTotalUnits() const;
    int32_t GetDoneUnits() const;
    // True when the run went through the tasks (or was stopped); false while
    // it runs and when a task failed.
    bool IsFinished() const;
    std::string GetStatus() const;

    void SetPause(PauseFunction pause) { this->pause = std::move(pause); }

    bool IsStopRequested() override { return StopWasRequested(); }
    void Step() override;
    void SetStatus(const std::string& text) override;

protected:
    bool Run() override;

private:
    void BeginRun();
    void SetFinished(bool value);
    void Pause() const;
    void PauseUnlessStopped(uint32_t milliseconds) const;

    std::vector<std::unique_ptr<PrecalcTask>> tasks;
    int32_t totalUnits = 0;
    int32_t doneUnits = 0;
    std::string status;
    bool finished = false;
    std::unique_ptr<platform::Mutex> lock;
    PauseFunction pause;
};
