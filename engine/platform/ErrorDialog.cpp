#include "engine/platform/ErrorDialog.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace platform {

namespace {

// Static initialisation runs on the main thread.
const std::thread::id mainThread = std::this_thread::get_id();

std::atomic<bool> dialogsOff{false};
std::mutex pendingLock;
std::deque<std::pair<std::string, std::string>> pendingBoxes;

void ShowBox(const char* caption, const char* text) {
    if (!DialogsDisabled())
        ShowNativeErrorBox(caption, text);
}

}

bool DialogsDisabled() { return dialogsOff || std::getenv("ZPDEMO_NO_DIALOGS") != nullptr; }

void DisableDialogs() { dialogsOff = true; }

void ShowErrorBox(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (std::this_thread::get_id() == mainThread) {
        ShowBox(caption, text);
        return;
    }
    std::lock_guard<std::mutex> guard(pendingLock);
    pendingBoxes.emplace_back(caption, text);
}

int ShowPendingErrorBoxes() {
    if (std::this_thread::get_id() != mainThread)
        return 0;
    int shown = 0;
    for (;;) {
        std::pair<std::string, std::string> box;
        {
            std::lock_guard<std::mutex> guard(pendingLock);
            if (pendingBoxes.empty())
                return shown;
            box = std::move(pendingBoxes.front());
            pendingBoxes.pop_front();
        }
        ShowBox(box.first.c_str(), box.second.c_str());
        ++shown;
    }
}

}
