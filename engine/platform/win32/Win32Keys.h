#pragma once

#include "engine/platform/WindowEvents.h"

#include <cstdint>

// Virtual-key codes in the engine's neutral terms.
platform::Key KeyFromVirtualKey(uint32_t virtualKey);
// The modifier flags for the keys held down.
uint32_t ModifiersFromKeysHeld(bool shift, bool control, bool alt);
