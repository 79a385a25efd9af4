#include "tools/live/LiveCommand.h"

using platform::Key;

LiveAction ActionForEvent(const platform::WindowEvent& event) {
    if (event.type != platform::WindowEventType::KeyDown)
        return LiveAction::None;
    const bool shift = (event.modifiers & platform::kShiftModifier) != 0;
    switch (event.key) {
    case Key::Space: return LiveAction::TogglePause;
    case Key::Left: return shift ? LiveAction::PatternBack : LiveAction::BeatBack;
    case Key::Right: return shift ? LiveAction::PatternForward : LiveAction::BeatForward;
    case Key::PageUp: return LiveAction::PreviousEntry;
    case Key::PageDown: return LiveAction::NextEntry;
    case Key::Home: return LiveAction::ShowStart;
    case Key::End: return LiveAction::LastPattern;
    case Key::L: return LiveAction::ToggleLoop;
    case Key::Tab: return LiveAction::ToggleOverlay;
    case Key::F5: return LiveAction::Rebuild;
    case Key::F12: return LiveAction::SaveFrame;
    default: return LiveAction::None;
    }
}
