#pragma once

#include "engine/render/DisplayAdapter.h"
#include "engine/render/DisplayMode.h"

#include <string>
#include <vector>

// The one object through which the engine reaches the screen.
//
// The window, its GL context and the render device are not built yet: this
// display knows no adapter, so the application stops at the display step.
class Display {
public:
    virtual ~Display() = default;

    virtual bool EnumerateAdapters(std::vector<DisplayAdapter>& out);
    virtual bool EnumerateModes(const DisplayAdapter& adapter, std::vector<DisplayMode>& out);
    virtual bool Open(const DisplayAdapter& adapter, const DisplayMode& mode, bool vsync);
    virtual void Close();
    virtual const DisplayMode* GetCurrentMode() const { return &currentMode; }
    virtual bool ProcessMessages();
    virtual bool BeginFrame();
    virtual void EndFrame() {}
    virtual void Present() {}
    virtual void SetTitle(const std::string& caption);

    // Unbinds the current program and frees the named render targets.
    virtual void UnbindProgram() {}
    virtual void DestroyRenderTargets() {}

protected:
    DisplayMode currentMode;
    bool open = false;
};
