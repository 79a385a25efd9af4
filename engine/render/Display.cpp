#include "engine/render/Display.h"

bool Display::EnumerateAdapters(std::vector<DisplayAdapter>& out) {
    out.clear();
    return true;
}

bool Display::EnumerateModes(const DisplayAdapter&, std::vector<DisplayMode>& out) {
    out.clear();
    return true;
}

bool Display::Open(const DisplayAdapter&, const DisplayMode&, bool) { return false; }

void Display::Close() { open = false; }

bool Display::ProcessMessages() { return open; }

bool Display::BeginFrame() { return open; }

void Display::SetTitle(const std::string&) {}
