#pragma once

#include "demo/show/TimeLine.h"

#include <memory>

class Scene;

// The production's scene for each id of the time line.
std::unique_ptr<Scene> CreateShowScene(SceneId id);
