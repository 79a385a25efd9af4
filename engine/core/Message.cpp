#include "engine/core/Message.h"

#include "engine/core/Engine.h"
#include "engine/platform/ErrorDialog.h"

#include <cstdarg>
#include <cstdio>

namespace {

const char* const kErrorCaption = "Application error";

Log* EngineLog() {
    Engine* engine = GetEngine();
    return engine ? engine->GetLog() : nullptr;
}

}

void Message(LogLevel level, const char* format, ...) {
    Log* log = EngineLog();
    if (!log || level > log->GetLevel())
        return;
    char text[kMessageCapacity];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);

    log->Write(level, text);
    if (level == LOG_ERROR)
        platform::ShowErrorBox(kErrorCaption, text);
}

void ErrorBox(const char* text) {
    Log* log = EngineLog();
    if (!log || log->GetLevel() < LOG_ERROR)
        return;
    log->Write(LOG_ERROR, text);
    platform::ShowErrorBox(kErrorCaption, text);
}
