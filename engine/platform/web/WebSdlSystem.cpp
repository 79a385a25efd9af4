#include "engine/platform/sdl/SdlSystem.h"

#include <SDL.h>
#include <emscripten.h>
#include <emscripten/threading.h>

namespace {

// The frame loop blocks as on the desktop; each frame hands the page back
// its event loop until the browser's next display frame (asyncify unwinds
// and rewinds the C++ stack around the wait). A hidden page gets no display
// frames, so there a short timer keeps the loop turning, slowly, to see that
// the page is hidden and pause the show. On a shown page only the display
// frame will do: a browser whose renderer falls behind gives fewer, and a
// loop that went on without them would pile up frames the renderer later
// works off with the page, and its sound, blocked for seconds.
EM_ASYNC_JS(void, WaitForDisplayFrame, (), {
    await new Promise(resolve => {
        const timer = setInterval(() => { if (document.hidden) { clearInterval(timer); resolve(); } }, 100);
        requestAnimationFrame(() => { clearInterval(timer); resolve(); });
    });
});

}

namespace platform {

// WebGL 2: SDL asks the canvas for it when an ES 3 context is wanted.
void SetSdlContextAttributes() {
    // The wait after each swap gives the page its turn; SDL need not as well.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

// A browser's audio context renders in blocks of no fewer than 256 frames.
int SdlProbeFrames() { return 256; }

// The browser has its own audio context; no sound server to ask first.
bool SdlMayStartAudio() { return true; }

namespace {

void RunCall(void* call) { (*static_cast<const std::function<void()>*>(call))(); }

}

// The calling thread waits until the main thread takes the call, which it
// does between frames or while it waits itself.
void RunSdlAudioCall(const std::function<void()>& call) {
    if (emscripten_is_main_runtime_thread()) {
        call();
        return;
    }
    emscripten_sync_run_in_main_runtime_thread(EM_FUNC_SIG_VI, &RunCall, const_cast<void*>(static_cast<const void*>(&call)));
}

void AfterSdlSwap() { WaitForDisplayFrame(); }

}
