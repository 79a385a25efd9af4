#pragma once

#include "engine/core/Application.h"
#include "engine/render/Display.h"

// Stands in for the production until the show itself exists: it opens what
// the engine opens, clears the screen to black every frame and runs until
// Escape or the window is closed.
class PlaceholderShow : public Application {
public:
    void GetTitle(std::string& title) override { title = "Zephal - Lumenweaver"; }
    bool OnInit() override { return true; }
    void OnShutdown() override {}
    void Update() override {}
    const DemoTime& GetTime() const override { return now; }
    bool Frame() override {
        static const float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        GetDisplay()->SetClearColor(kBlack);
        GetDisplay()->Clear(CLEAR_COLOR | CLEAR_DEPTH);
        return true;
    }

private:
    DemoTime now;
};
