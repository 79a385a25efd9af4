#pragma once

namespace platform {

// A WGL or GL entry point of the current context, or null. Some drivers
// answer an unknown name with a small number instead of null; those count
// as missing too.
void* FindWglEntryPoint(const char* name);

}
