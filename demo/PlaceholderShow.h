#pragma once

#include "engine/core/Application.h"

// Stands in for the production until the show itself exists: it opens what
// the engine opens, draws nothing and runs until the window is closed.
class PlaceholderShow : public Application {
public:
    void GetTitle(std::string& title) override { title = "Zephal - Lumenweaver"; }
    bool OnInit() override { return true; }
    void OnShutdown() override {}
    void Update() override {}
    const DemoTime& GetTime() const override { return now; }
    bool Frame() override { return true; }

private:
    DemoTime now;
};
