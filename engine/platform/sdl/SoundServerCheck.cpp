#include "engine/platform/sdl/SoundServerCheck.h"

#include "engine/platform/ModuleLoader.h"
#include "engine/platform/SystemServices.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>

#include <cstring>

namespace {

// The few libpulse calls the check needs, looked up at run time: the program
// must still start where PulseAudio is not installed.
struct PulseCalls {
    decltype(&pa_mainloop_new) mainloopNew = nullptr;
    decltype(&pa_mainloop_get_api) mainloopApi = nullptr;
    decltype(&pa_mainloop_iterate) mainloopIterate = nullptr;
    decltype(&pa_mainloop_free) mainloopFree = nullptr;
    decltype(&pa_context_new) contextNew = nullptr;
    decltype(&pa_context_connect) contextConnect = nullptr;
    decltype(&pa_context_get_state) contextState = nullptr;
    decltype(&pa_context_get_server_info) serverInfo = nullptr;
    decltype(&pa_context_disconnect) contextDisconnect = nullptr;
    decltype(&pa_context_unref) contextUnref = nullptr;
    decltype(&pa_operation_unref) operationUnref = nullptr;

    bool Load(platform::ModuleHandle module) {
        return Find(module, "pa_mainloop_new", mainloopNew) && Find(module, "pa_mainloop_get_api", mainloopApi) &&
               Find(module, "pa_mainloop_iterate", mainloopIterate) && Find(module, "pa_mainloop_free", mainloopFree) &&
               Find(module, "pa_context_new", contextNew) && Find(module, "pa_context_connect", contextConnect) &&
               Find(module, "pa_context_get_state", contextState) &&
               Find(module, "pa_context_get_server_info", serverInfo) &&
               Find(module, "pa_context_disconnect", contextDisconnect) &&
               Find(module, "pa_context_unref", contextUnref) && Find(module, "pa_operation_unref", operationUnref);
    }

    template <typename Function>
    static bool Find(platform::ModuleHandle module, const char* name, Function& function) {
        function = reinterpret_cast<Function>(platform::FindModuleSymbol(module, name));
        return function != nullptr;
    }
};

struct ServerAnswer {
    bool answered = false;
    bool hasSink = false;
};

void OnServerInfo(pa_context* /*context*/, const pa_server_info* info, void* answer) {
    ServerAnswer* result = static_cast<ServerAnswer*>(answer);
    result->answered = true;
    result->hasSink = info && info->default_sink_name && info->default_sink_name[0] != '\0';
}

double Seconds() {
    return static_cast<double>(platform::PerformanceCounter()) / static_cast<double>(platform::PerformanceFrequency());
}

// Runs the loop without blocking until `done` or the deadline.
template <typename Done>
bool RunUntil(const PulseCalls& pulse, pa_mainloop* loop, double deadline, Done done) {
    while (!done()) {
        if (pulse.mainloopIterate(loop, 0, nullptr) < 0 || Seconds() > deadline)
            return false;
        platform::SleepMilliseconds(1);
    }
    return true;
}

SoundServerState Ask(const PulseCalls& pulse, double seconds) {
    const double deadline = Seconds() + seconds;
    pa_mainloop* loop = pulse.mainloopNew();
    if (!loop)
        return SoundServerState::Unreachable;
    pa_context* context = pulse.contextNew(pulse.mainloopApi(loop), "zpdemo sound check");
    SoundServerState state = SoundServerState::Unreachable;
    if (context && pulse.contextConnect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        bool ready = RunUntil(pulse, loop, deadline, [&] {
            pa_context_state_t now = pulse.contextState(context);
            return now == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(now);
        });
        if (!ready || pulse.contextState(context) != PA_CONTEXT_READY) {
            state = ready ? SoundServerState::Unreachable : SoundServerState::NoAnswer;
        } else {
            ServerAnswer answer;
            pa_operation* operation = pulse.serverInfo(context, OnServerInfo, &answer);
            bool answered = operation && RunUntil(pulse, loop, deadline, [&] { return answer.answered; });
            if (operation)
                pulse.operationUnref(operation);
            state = !answered ? SoundServerState::NoAnswer
                              : (answer.hasSink ? SoundServerState::HasSink : SoundServerState::NoSink);
        }
        pulse.contextDisconnect(context);
    }
    if (context)
        pulse.contextUnref(context);
    pulse.mainloopFree(loop);
    return state;
}

}

bool SdlMayUsePulseAudio(const char* driverChoice) {
    return !driverChoice || driverChoice[0] == '\0' || std::strstr(driverChoice, "pulse") != nullptr;
}

// The library stays loaded: SDL loads it too, and it keeps thread-local
// state that must not outlive its code.
SoundServerState AskPulseServer(double seconds) {
    static platform::ModuleHandle module = platform::LoadModule("libpulse.so.0");
    static PulseCalls pulse;
    static bool loaded = module && pulse.Load(module);
    return loaded ? Ask(pulse, seconds) : SoundServerState::Unreachable;
}
