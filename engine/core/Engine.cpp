#include "engine/core/Engine.h"

namespace {
Engine* globalEngine = nullptr;
}

Engine* GetEngine() { return globalEngine; }

void SetEngine(Engine* engine) { globalEngine = engine; }
