#include "engine/platform/web/WebPage.h"

#include <emscripten.h>

namespace platform {

// The page defines Module.zpdemoPage (demo/web/shell.html); a page without
// it (a test harness) gets nothing.

void ShowPageError(const char* text) {
    MAIN_THREAD_EM_ASM({ if (Module.zpdemoPage) Module.zpdemoPage.showError(UTF8ToString($0)); }, text);
}

void ReportShowStatus(bool precalcDone, double showTime, bool progressFrame) {
    MAIN_THREAD_EM_ASM({ if (Module.zpdemoPage) Module.zpdemoPage.report(!!$0, $1, !!$2); }, precalcDone, showTime,
                       progressFrame);
}

void ReportShowEnded(int exitCode, bool reachedEnd) {
    MAIN_THREAD_EM_ASM({ if (Module.zpdemoPage) Module.zpdemoPage.ended($0, !!$1); }, exitCode, reachedEnd);
}

bool PageHidden() { return MAIN_THREAD_EM_ASM_INT({ return document.hidden ? 1 : 0; }) != 0; }

void HandOverCapturedFrame(const unsigned char* rgba, int width, int height) {
    MAIN_THREAD_EM_ASM({ if (Module.zpdemoPage) Module.zpdemoPage.captured(HEAPU8.slice($0, $0 + $1 * $2 * 4), $1, $2); },
                       rgba, width, height);
}

}
