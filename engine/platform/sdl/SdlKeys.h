#pragma once

#include "engine/platform/WindowEvents.h"

#include <cstdint>

// SDL's key codes and modifier state in the engine's neutral terms.
platform::Key KeyFromSdlKeycode(int32_t keycode);
uint32_t ModifiersFromSdl(uint32_t sdlModifiers);
