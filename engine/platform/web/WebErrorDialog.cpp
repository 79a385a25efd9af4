#include "engine/platform/ErrorDialog.h"

#include "engine/platform/web/WebPage.h"

namespace platform {

// A message box in a browser is a blocking alert: the page shows the text
// in its error element instead.
void ShowNativeErrorBox(const char* /*caption*/, const char* text) { ShowPageError(text); }

}
