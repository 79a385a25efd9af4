#include "engine/platform/win32/Win32WindowEvents.h"

#include "engine/platform/NativeWindow.h"

namespace platform {

namespace {

constexpr DWORD kWindowedStyle = WS_POPUP | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
constexpr DWORD kFullscreenStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kFullscreenExtendedStyle = WS_EX_APPWINDOW;

// The class every GL window is made of, registered by StartVideo.
std::string registeredClass;
HBRUSH classBackground = nullptr;

// Window creation takes several calls; the box names the one that failed.
const char* createWindowFailure = "CreateWindowEx()";

HWND AsWindow(NativeWindowHandle window) { return static_cast<HWND>(window); }

// The class has its own device context per window: GetDC hands out the same
// one every time, and it need not be released until the window goes.
HDC WindowDeviceContext(NativeWindowHandle window) { return GetDC(AsWindow(window)); }

// The outer rectangle around a client area of width x height, centred on
// the primary screen.
RECT CentredFrame(DWORD style, uint32_t width, uint32_t height) {
    RECT frame{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    AdjustWindowRect(&frame, style, FALSE);
    const LONG outerWidth = frame.right - frame.left;
    const LONG outerHeight = frame.bottom - frame.top;
    const LONG x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
    const LONG y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
    return RECT{x, y, x + outerWidth, y + outerHeight};
}

PIXELFORMATDESCRIPTOR FormatRequest(const PixelFormatRequest& request) {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(request.colorBits);
    format.cAlphaBits = static_cast<BYTE>(request.alphaBits);
    format.cDepthBits = static_cast<BYTE>(request.depthBits);
    format.cStencilBits = static_cast<BYTE>(request.stencilBits);
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

// ChoosePixelFormat picks the closest format the driver offers.
bool SetClosestPixelFormat(HDC deviceContext, const PixelFormatRequest& request) {
    const PIXELFORMATDESCRIPTOR format = FormatRequest(request);
    NoteWindowStep("ChoosePixelFormat");
    const int chosen = ChoosePixelFormat(deviceContext, &format);
    if (chosen == 0) {
        createWindowFailure = "ChoosePixelFormat()";
        return false;
    }
    NoteWindowStep("SetPixelFormat");
    if (!SetPixelFormat(deviceContext, chosen, &format)) {
        createWindowFailure = "SetPixelFormat()";
        return false;
    }
    return true;
}

HWND CreateCentredWindow(const char* caption, const GLWindowRequest& request) {
    const DWORD style = request.fullscreen ? kFullscreenStyle : kWindowedStyle;
    const DWORD extendedStyle = request.fullscreen ? kFullscreenExtendedStyle : 0;
    const RECT frame = CentredFrame(style, request.width, request.height);
    NoteWindowStep("CreateWindowEx");
    NoteCreatedWindowStyle(style, extendedStyle);
    return CreateWindowExA(extendedStyle, registeredClass.c_str(), caption, style, frame.left, frame.top,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}

const char* WindowStepName(WindowStep step) {
    switch (step) {
    case WindowStep::StartVideo: return "RegisterClass()";
    case WindowStep::CreateWindow: return createWindowFailure;
    case WindowStep::ChangeDisplayMode: return "ChangeDisplaySettings()";
    case WindowStep::CreateContext: return "wglCreateContext()";
    case WindowStep::MakeCurrent: return "wglMakeCurrent()";
    }
    return "?";
}

bool StartVideo(const std::string& className) {
    if (!registeredClass.empty())
        return true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = GLWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    classBackground = CreateSolidBrush(RGB(0, 0, 0));
    windowClass.hbrBackground = classBackground;
    windowClass.lpszClassName = className.c_str();
    NoteWindowStep("RegisterClass");
    if (!RegisterClassA(&windowClass)) {
        DeleteObject(classBackground);
        classBackground = nullptr;
        return false;
    }
    registeredClass = className;
    return true;
}

void StopVideo() {
    if (registeredClass.empty())
        return;
    NoteWindowStep("UnregisterClass");
    UnregisterClassA(registeredClass.c_str(), GetModuleHandleA(nullptr));
    registeredClass.clear();
    if (classBackground)
        DeleteObject(classBackground);
    classBackground = nullptr;
}

bool EnterFullscreen(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmBitsPerPel = bitsPerPixel;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    NoteWindowStep("ChangeDisplaySettings");
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void LeaveFullscreen() {
    NoteWindowStep("ChangeDisplaySettings(desktop)");
    ChangeDisplaySettingsA(nullptr, 0);
}

NativeWindowHandle CreateGLWindow(const char* caption, const GLWindowRequest& request) {
    createWindowFailure = "CreateWindowEx()";
    HWND window = CreateCentredWindow(caption, request);
    if (!window)
        return nullptr;
    NoteWindowStep("GetDC");
    HDC deviceContext = GetDC(window);
    if (!deviceContext)
        createWindowFailure = "GetDC()";
    if (!deviceContext || !SetClosestPixelFormat(deviceContext, request.pixelFormat)) {
        DestroyGLWindow(window);
        return nullptr;
    }
    return window;
}

void DestroyGLWindow(NativeWindowHandle window) {
    NoteWindowStep("ReleaseDC");
    ReleaseDC(AsWindow(window), WindowDeviceContext(window));
    NoteWindowStep("DestroyWindow");
    DestroyWindow(AsWindow(window));
    DropQueuedWindowEvents();
}

GLContextHandle CreateGLContext(NativeWindowHandle window) {
    NoteWindowStep("wglCreateContext");
    return wglCreateContext(WindowDeviceContext(window));
}

bool MakeGLContextCurrent(NativeWindowHandle window, GLContextHandle context) {
    NoteWindowStep("wglMakeCurrent");
    return wglMakeCurrent(WindowDeviceContext(window), static_cast<HGLRC>(context)) != 0;
}

void DeleteGLContext(GLContextHandle context) {
    NoteWindowStep("wglDeleteContext");
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(static_cast<HGLRC>(context));
}

void SwapWindowBuffers(NativeWindowHandle window) { SwapBuffers(WindowDeviceContext(window)); }

void SetWindowCaption(NativeWindowHandle window, const char* caption) { SetWindowTextA(AsWindow(window), caption); }

// ShowCursor counts: the cursor shows while the count is zero or more.
void SetCursorVisible(bool visible) {
    NoteWindowStep(visible ? "ShowCursor(TRUE)" : "ShowCursor(FALSE)");
    if (visible)
        while (ShowCursor(TRUE) < 0) {
        }
    else
        while (ShowCursor(FALSE) >= 0) {
        }
}

void InhibitScreenSaver(bool inhibit) {
    BlockScreenSaverRequests(inhibit);
    SetThreadExecutionState(inhibit ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

}
