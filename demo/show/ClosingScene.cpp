#include "demo/show/ClosingScene.h"

#include "engine/core/Engine.h"
#include "engine/render/Display.h"

void ClosingScene::Render() {
    Engine* engine = GetEngine();
    Display* display = engine ? engine->GetDisplay() : nullptr;
    if (!display)
        return;
    static const float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    display->UnbindShaderProgram();
    display->SetClearColor(kBlack);
    display->Clear(CLEAR_COLOR);
}
