#pragma once

// The Windows headers, for the backend's files only. They define macros that
// would rename the seam's own functions (ReplaceFile becomes ReplaceFileA,
// FreeModule becomes FreeLibrary), so those go again right after.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>

#undef ReplaceFile
#undef FreeModule
