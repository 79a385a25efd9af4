#include "engine/core/PrecalcQueue.h"

#include "engine/platform/SystemServices.h"

#include <algorithm>

namespace {

// The slice a pause sleeps between looks at the stop request.
constexpr uint32_t kPauseSliceMilliseconds = 10;

}

PrecalcQueue::PrecalcQueue()
    : lock(platform::CreateUnnamedMutex()),
      pause([this](uint32_t milliseconds) { PauseUnlessStopped(milliseconds); }) {}

// The worker must be gone before the tasks it runs are.
PrecalcQueue::~PrecalcQueue() { Stop(); }

bool PrecalcQueue::AddTask(std::unique_ptr<PrecalcTask> task) {
    if (IsRunning())
        return false;
    tasks.push_back(std::move(task));
    return true;
}

void PrecalcQueue::ComputeTotal() {
    if (IsRunning())
        return;
    int32_t sum = 0;
    for (const std::unique_ptr<PrecalcTask>& task : tasks)
        sum += task->WorkUnits();
    platform::MutexLock hold(*lock);
    totalUnits = sum;
}

int32_t PrecalcQueue::GetTotalUnits() const {
    platform::MutexLock hold(*lock);
    return totalUnits;
}

int32_t PrecalcQueue::GetDoneUnits() const {
    platform::MutexLock hold(*lock);
    return doneUnits;
}

bool PrecalcQueue::IsFinished() const {
    platform::MutexLock hold(*lock);
    return finished;
}

std::string PrecalcQueue::GetStatus() const {
    platform::MutexLock hold(*lock);
    return status;
}

void PrecalcQueue::Step() {
    platform::MutexLock hold(*lock);
    ++doneUnits;
}

void PrecalcQueue::SetStatus(const std::string& text) {
    platform::MutexLock hold(*lock);
    status = text;
}

bool PrecalcQueue::Run() {
    BeginRun();
    Pause();
    bool heldAfterProgress = false;
    for (const std::unique_ptr<PrecalcTask>& task : tasks) {
        if (StopWasRequested())
            break;
        if (!task->Run(this)) {
            SetFinished(false);
            return false;
        }
        if (!heldAfterProgress && GetDoneUnits() > 0) {
            Pause();
            heldAfterProgress = true;
        }
    }
    // A stopped run counts as finished too: the owner stops it only when it
    // is leaving anyway.
    SetFinished(true);
    return true;
}

void PrecalcQueue::BeginRun() {
    platform::MutexLock hold(*lock);
    doneUnits = 0;
    finished = false;
    status = "Processing...";
}

void PrecalcQueue::SetFinished(bool value) {
    platform::MutexLock hold(*lock);
    finished = value;
}

void PrecalcQueue::Pause() const {
    if (pause)
        pause(kPauseMilliseconds);
}

// A stop request (Escape during the bar) cuts the pause short: the owner
// waits for the worker, and nothing is gained by holding a bar nobody sees.
void PrecalcQueue::PauseUnlessStopped(uint32_t milliseconds) const {
    for (uint32_t waited = 0; waited < milliseconds && !StopWasRequested(); waited += kPauseSliceMilliseconds)
        platform::SleepMilliseconds(std::min(kPauseSliceMilliseconds, milliseconds - waited));
}
