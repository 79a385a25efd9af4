#include "demo/show/SceneTask.h"

#include "demo/show/Scene.h"

int32_t SceneTask::WorkUnits() { return scene->PrecalcWorkUnits(); }

bool SceneTask::Run(PrecalcProgress* progress) { return scene->Precalc(progress); }
