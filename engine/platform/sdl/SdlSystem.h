#pragma once

#include <functional>

namespace platform {

// What differs between the systems the SDL backend runs on: the desktop
// (engine/platform/sdl) and the browser (engine/platform/web) each define
// these.

// The GL context asked for before a window or a probe is made: on the
// desktop a compatibility-profile context, as the renderer draws quads and
// enables fixed-function texturing.
void SetSdlContextAttributes();

// Frames of the short stream opened to learn whether sound can be played.
// Closing a device waits two of its periods for the sound to drain, so it
// is as short as the system takes.
int SdlProbeFrames();

// Whether SDL's audio may be started at all.
bool SdlMayStartAudio();

// Runs a call that opens, closes, starts or stops SDL's audio. On the
// desktop it runs at once, on the calling thread. In a page it runs on the
// main thread, where the browser calls SDL's audio back: a device opened or
// closed on another thread could be called back half made or half gone.
void RunSdlAudioCall(const std::function<void()>& call);

// Called after each buffer swap: where the frame loop must give the system
// its turn (a page's event loop), it waits here for the next display frame.
void AfterSdlSwap();

}
