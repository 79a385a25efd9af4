#include "demo/SceneFactory.h"

#include "demo/scenes/BoxGridScene.h"
#include "demo/scenes/MeshLightScene.h"
#include "demo/scenes/RaymarchScene.h"
#include "demo/scenes/TitleScene.h"
#include "demo/show/ClosingScene.h"

std::unique_ptr<Scene> CreateShowScene(SceneId id) {
    switch (id) {
    case SceneId::Closing:
        return std::make_unique<ClosingScene>();
    case SceneId::BoxGrid:
        return std::make_unique<BoxGridScene>();
    case SceneId::Cubes:
        return std::make_unique<CubesScene>();
    case SceneId::Spheres:
        return std::make_unique<SpheresScene>();
    case SceneId::MeshLight:
        return std::make_unique<MeshLightScene>();
    case SceneId::Title:
        return std::make_unique<TitleScene>();
    }
    return nullptr;
}
