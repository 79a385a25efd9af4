#pragma once

#include "engine/core/Log.h"

#if defined(__GNUC__)
#define ZP_PRINTF_FORMAT(formatIndex, firstArg) __attribute__((format(printf, formatIndex, firstArg)))
#else
#define ZP_PRINTF_FORMAT(formatIndex, firstArg)
#endif

// The longest message text; longer texts are cut there.
constexpr int kMessageCapacity = 4096;

// Formats, filters by the log's level and writes one message; level ERROR
// also raises the "Application error" box. Needs a running application.
void Message(LogLevel level, const char* format, ...) ZP_PRINTF_FORMAT(2, 3);

// Logs the text at ERROR and shows it in the error box as it stands, without
// formatting (for compiler logs, which may hold anything).
void ErrorBox(const char* text);
