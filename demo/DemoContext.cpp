#include "demo/DemoContext.h"

namespace {
DemoContext* demoContext = nullptr;
}

DemoContext* GetDemoContext() {
    return demoContext;
}

void SetDemoContext(DemoContext* context) {
    demoContext = context;
}
