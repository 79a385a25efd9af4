#include "engine/render/OpenGLWindow.h"
#include "tests/unit/FakeGL.h"

#include <gtest/gtest.h>

namespace {

using platform::WindowEvent;
using platform::WindowEventType;

WindowEvent Event(WindowEventType type, uint32_t code = 0, uint32_t width = 0, uint32_t height = 0) {
    WindowEvent event;
    event.type = type;
    event.code = code;
    event.width = width;
    event.height = height;
    return event;
}

class OpenGLWindowEventsTest : public ::testing::Test {
protected:
    // Whatever a test posted is delivered before the next one starts.
    void TearDown() override { OpenGLWindow::ProcessMessages(); }
    FakeGLScope fake;
};

WindowEvent KeyDown(platform::Key key) {
    WindowEvent event = Event(WindowEventType::KeyDown);
    event.key = key;
    return event;
}

TEST_F(OpenGLWindowEventsTest, EscapeKeyOrCharacterPostsTheQuitMessage) {
    OpenGLWindow::HandleEvent(KeyDown(platform::Key::Escape));
    EXPECT_FALSE(OpenGLWindow::ProcessMessages());
    EXPECT_TRUE(OpenGLWindow::ProcessMessages());  // delivered once

    OpenGLWindow::HandleEvent(Event(WindowEventType::Character, platform::kEscapeKey));
    EXPECT_FALSE(OpenGLWindow::ProcessMessages());
}

TEST_F(OpenGLWindowEventsTest, ClosingOrDestroyingTheWindowPostsTheQuitMessage) {
    OpenGLWindow::HandleEvent(Event(WindowEventType::Close));
    EXPECT_FALSE(OpenGLWindow::ProcessMessages());
    OpenGLWindow::HandleEvent(Event(WindowEventType::Destroy));
    EXPECT_FALSE(OpenGLWindow::ProcessMessages());
}

TEST_F(OpenGLWindowEventsTest, OtherKeysAndScreenSaverRequestsNeverEndTheProgram) {
    WindowEvent altEscape = KeyDown(platform::Key::Escape);
    altEscape.systemKey = true;
    OpenGLWindow::HandleEvent(altEscape);
    OpenGLWindow::HandleEvent(KeyDown(platform::Key::A));
    OpenGLWindow::HandleEvent(KeyDown(platform::Key::Space));
    OpenGLWindow::HandleEvent(Event(WindowEventType::Character, 'q'));
    OpenGLWindow::HandleEvent(Event(WindowEventType::SystemCommand, platform::kScreenSaveCommand));
    OpenGLWindow::HandleEvent(Event(WindowEventType::SystemCommand, platform::kMonitorPowerCommand));
    EXPECT_TRUE(OpenGLWindow::ProcessMessages());
}

TEST_F(OpenGLWindowEventsTest, AListenerHearsEveryEventTheQuitIncludedBeforeTheWindowReacts) {
    std::vector<WindowEventType> heard;
    OpenGLWindow::SetEventListener([&](const WindowEvent& event) {
        heard.push_back(event.type);
        return false;
    });
    OpenGLWindow::HandleEvent(KeyDown(platform::Key::Escape));
    EXPECT_FALSE(OpenGLWindow::ProcessMessages());
    OpenGLWindow::SetEventListener(nullptr);
    EXPECT_EQ(heard, std::vector<WindowEventType>{WindowEventType::Quit});
}

TEST_F(OpenGLWindowEventsTest, ResizeSetsTheViewportToTheNewClientSize) {
    OpenGLWindow::HandleEvent(Event(WindowEventType::Resize, 0, 800, 600));
    EXPECT_EQ(fakeGL.calls, std::vector<std::string>{"glViewport(0,0,800,600)"});
}

}
