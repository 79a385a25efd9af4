#ifdef _WIN32

#include "engine/platform/win32/Win32WindowEvents.h"

#include "engine/platform/WindowEvents.h"

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
