#ifdef _WIN32

#include "engine/platform/win32/Win32WindowEvents.h"

#include "engine/platform/WindowEvents.h"
#include "engine/render/OpenGLWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::WindowEvent;
using platform::WindowEventType;

std::vector<WindowEvent> Drain() {
    std::vector<WindowEvent> events;
    WindowEvent event;
    while (platform::PollWindowEvent(event)) {
        events.push_back(event);
        if (event.type == WindowEventType::Quit)
            break;
    }
    return events;
}

// The context bit of a key message: Alt is held.
constexpr LPARAM kAltHeld = LPARAM{1} << 29;

LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return platform::GLWindowProcedure(nullptr, message, wParam, lParam);
}

class Win32WindowEventsTest : public ::testing::Test {
protected:
    Win32WindowEventsTest() { Drain(); }
    ~Win32WindowEventsTest() override {
        platform::BlockScreenSaverRequests(false);
        platform::DropQueuedWindowEvents();
    }
};

// Closing is left to the program: passed on, the message would destroy the
// window at once.
TEST_F(Win32WindowEventsTest, MessagesBecomeEventsInTheirOrder) {
    EXPECT_EQ(Send(WM_KEYDOWN, VK_ESCAPE), 0);
    EXPECT_EQ(Send(WM_CHAR, 'a'), 0);
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_EQ(Send(WM_DESTROY), 0);
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1024, 768));
    std::vector<WindowEvent> events = Drain();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].type, WindowEventType::KeyDown);
    EXPECT_EQ(events[0].code, platform::kEscapeKey);
    EXPECT_EQ(events[1].type, WindowEventType::Character);
    EXPECT_EQ(events[1].code, static_cast<uint32_t>('a'));
    EXPECT_EQ(events[2].type, WindowEventType::Close);
    EXPECT_EQ(events[3].type, WindowEventType::Destroy);
    EXPECT_EQ(events[4].type, WindowEventType::Resize);
    EXPECT_EQ(events[4].width, 1024u);
    EXPECT_EQ(events[4].height, 768u);
}

TEST_F(Win32WindowEventsTest, KeysAndTheMouseArriveInNeutralTerms) {
    using platform::Key;
    using platform::MouseButton;
    Send(WM_KEYDOWN, VK_PRIOR);
    Send(WM_KEYUP, 'L');
    Send(WM_SYSKEYDOWN, VK_F10);
    Send(WM_KEYDOWN, VK_NUMPAD1);  // 0x61, lower-case 'a': no letter
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-5), 30));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(12, 20));
    Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), MAKELPARAM(1, 1));
    std::vector<WindowEvent> events = Drain();
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[0].type, WindowEventType::KeyDown);
    EXPECT_EQ(events[0].key, Key::PageUp);
    EXPECT_EQ(events[1].type, WindowEventType::KeyUp);
    EXPECT_EQ(events[1].key, Key::L);
    EXPECT_EQ(events[2].key, Key::F10);
    EXPECT_EQ(events[3].key, Key::Unknown);
    EXPECT_EQ(events[4].type, WindowEventType::MouseDown);
    EXPECT_EQ(events[4].button, MouseButton::Left);
    EXPECT_EQ(events[4].x, 10);
    EXPECT_EQ(events[4].y, 20);
    EXPECT_EQ(events[5].type, WindowEventType::MouseMove);
    EXPECT_EQ(events[5].x, -5);  // dragged out of the window to the left
    EXPECT_EQ(events[6].type, WindowEventType::MouseUp);
    EXPECT_EQ(events[7].button, MouseButton::Right);
    EXPECT_EQ(events[8].type, WindowEventType::MouseWheel);
    EXPECT_EQ(events[8].wheel, -2.0f);
}

// Alt+Escape belongs to Windows: a tool still hears it, the show goes on.
TEST_F(Win32WindowEventsTest, OnlyEscapeAsAnOrdinaryKeyEndsTheProgram) {
    std::vector<WindowEvent> heard;
    OpenGLWindow::SetEventListener([&](const WindowEvent& event) {
        heard.push_back(event);
        return false;
    });
    Send(WM_SYSKEYDOWN, VK_ESCAPE, kAltHeld);
    Send(WM_SYSKEYUP, VK_ESCAPE, kAltHeld);
    EXPECT_TRUE(OpenGLWindow::ProcessMessages());
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].type, WindowEventType::KeyDown);
    EXPECT_EQ(heard[0].key, platform::Key::Escape);
    Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(OpenGLWindow::ProcessMessages());
    OpenGLWindow::SetEventListener(nullptr);
}

// A tool that asks before quitting takes Escape, its character and closing.
TEST_F(Win32WindowEventsTest, EscapeAndCloseTakenByTheListenerDoNotEndTheProgram) {
    OpenGLWindow::SetEventListener([](const WindowEvent&) { return true; });
    Send(WM_KEYDOWN, VK_ESCAPE);
    Send(WM_CHAR, 27);
    Send(WM_CLOSE);
    EXPECT_TRUE(OpenGLWindow::ProcessMessages());
    OpenGLWindow::SetEventListener([](const WindowEvent&) { return false; });
    Send(WM_CLOSE);
    EXPECT_FALSE(OpenGLWindow::ProcessMessages());
    OpenGLWindow::SetEventListener(nullptr);
}

TEST_F(Win32WindowEventsTest, ScreenSaverRequestsAreSwallowedWhileBlocked) {
    platform::BlockScreenSaverRequests(true);
    // The system's own low bits do not hide the command.
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_SCREENSAVE | 0x2), 0);
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    std::vector<WindowEvent> events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, WindowEventType::SystemCommand);
    EXPECT_EQ(events[0].code, platform::kScreenSaveCommand);
    EXPECT_EQ(events[1].code, platform::kMonitorPowerCommand);
}

TEST_F(Win32WindowEventsTest, TheQuitMessageComesAfterTheQueuedEvents) {
    Send(WM_CHAR, 27);
    platform::PostQuitEvent();
    std::vector<WindowEvent> events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, WindowEventType::Character);
    EXPECT_EQ(events[1].type, WindowEventType::Quit);
    WindowEvent event;
    EXPECT_FALSE(platform::PollWindowEvent(event));
}

TEST_F(Win32WindowEventsTest, EventsOfAWindowThatIsGoneAreDropped) {
    Send(WM_DESTROY);
    platform::DropQueuedWindowEvents();
    WindowEvent event;
    EXPECT_FALSE(platform::PollWindowEvent(event));
}

}

#endif
