#pragma once

#include "demo/show/Scene.h"

// The black screen that keeps the show running for a moment after the music's
// last pattern.
class ClosingScene : public Scene {
public:
    void Render() override;
};
