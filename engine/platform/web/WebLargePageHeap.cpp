#include "engine/platform/LargePageHeap.h"

namespace platform {

// WebAssembly memory has no pages to advise.
void PrepareLargePageHeap() {}

}
