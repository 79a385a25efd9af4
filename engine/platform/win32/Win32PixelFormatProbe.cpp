#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/win32/Win32GLLibrary.h"

#include "engine/platform/DisplayDevices.h"
#include "engine/platform/SystemServices.h"

namespace platform {

namespace {

const char* const kQueryWindowClass = "ZpDemoQueryWnd";
constexpr int kQueryWindowSize = 16;
constexpr UINT kMaximumFormats = 1024;

// The pixel-format extension's names and values.
enum : int {
    kDrawToWindow = 0x2001,
    kAcceleration = 0x2003,
    kSupportOpenGL = 0x2010,
    kDoubleBuffer = 0x2011,
    kPixelType = 0x2013,
    kColorBits = 0x2014,
    kDepthBits = 0x2022,
    kStencilBits = 0x2023,
    kTypeRgba = 0x202B,
};

using ChoosePixelFormatExtended = BOOL(WINAPI*)(HDC, const int*, const FLOAT*, UINT, int*, UINT*);
using GetPixelFormatAttributes = BOOL(WINAPI*)(HDC, int, int, UINT, const int*, int*);

// Registered once per process; later probes reuse the class.
bool RegisterQueryWindowClass() {
    static bool registered = false;
    if (registered)
        return true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kQueryWindowClass;
    registered = RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

PIXELFORMATDESCRIPTOR MinimalFormatRequest() {
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    return request;
}

// The hidden window with a current context, released in reverse order
// whichever step failed.
class QueryWindow {
public:
    ~QueryWindow() {
        if (context) {
            wglMakeCurrent(deviceContext, nullptr);
            wglDeleteContext(context);
        }
        if (deviceContext)
            ReleaseDC(window, deviceContext);
        if (window)
            DestroyWindow(window);
    }

    ProbeStatus Open(void* monitor) {
        POINT position = Position(static_cast<HMONITOR>(monitor));
        window = CreateWindowExA(0, kQueryWindowClass, "", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, position.x,
                                 position.y, kQueryWindowSize, kQueryWindowSize, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        deviceContext = window ? GetDC(window) : nullptr;
        if (!deviceContext)
            return ProbeStatus::NoPixelFormat;
        const PIXELFORMATDESCRIPTOR request = MinimalFormatRequest();
        const int format = ChoosePixelFormat(deviceContext, &request);
        if (format == 0)
            return ProbeStatus::NoPixelFormat;
        if (!SetPixelFormat(deviceContext, format, &request))
            return ProbeStatus::PixelFormatNotSet;
        context = wglCreateContext(deviceContext);
        if (!context)
            return ProbeStatus::NoRenderContext;
        if (!wglMakeCurrent(deviceContext, context))
            return ProbeStatus::RenderContextNotCurrent;
        return ProbeStatus::Done;
    }

    HDC DeviceContext() const { return deviceContext; }

private:
    static POINT Position(HMONITOR monitor) {
        MONITORINFO information{};
        information.cbSize = sizeof information;
        if (monitor && GetMonitorInfoA(monitor, &information))
            return {information.rcWork.left, information.rcWork.top};
        return {CW_USEDEFAULT, CW_USEDEFAULT};
    }

    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC context = nullptr;
};

bool ProbeExtendedFormats(HDC deviceContext, PixelFormatProbe& out) {
    auto choose = reinterpret_cast<ChoosePixelFormatExtended>(FindWglEntryPoint("wglChoosePixelFormatARB"));
    auto describe = reinterpret_cast<GetPixelFormatAttributes>(FindWglEntryPoint("wglGetPixelFormatAttribivARB"));
    if (!choose || !describe)
        return false;
    const int wanted[] = {kDrawToWindow, 1, kSupportOpenGL, 1, kDoubleBuffer, 1, kPixelType, kTypeRgba, 0};
    std::vector<int> formats(kMaximumFormats);
    UINT count = 0;
    if (!choose(deviceContext, wanted, nullptr, kMaximumFormats, formats.data(), &count))
        return false;
    out.extended = true;
    const int query[] = {kAcceleration, kPixelType, kColorBits, kDepthBits, kStencilBits};
    for (UINT index = 0; index < count && index < kMaximumFormats; ++index) {
        int values[5] = {};
        if (!describe(deviceContext, formats[index], 0, 5, query, values))
            continue;
        ExtendedPixelFormatRecord record;
        record.rgba = values[1] == kTypeRgba;
        record.colorBits = static_cast<uint32_t>(values[2]);
        record.depthBits = static_cast<uint32_t>(values[3]);
        record.stencilBits = static_cast<uint32_t>(values[4]);
        out.extendedFormats.push_back(record);
    }
    return true;
}

// The device context of the monitor's adapter; without a monitor the query
// window's own, which lies on the default one.
HDC AdapterDeviceContext(void* monitor) {
    MONITORINFOEXA information{};
    information.cbSize = sizeof information;
    if (!monitor || !GetMonitorInfoA(static_cast<HMONITOR>(monitor), &information))
        return nullptr;
    return CreateDCA(information.szDevice, information.szDevice, nullptr, nullptr);
}

void ProbeClassicFormats(void* monitor, HDC windowContext, PixelFormatProbe& out) {
    out.extended = false;
    HDC adapterContext = AdapterDeviceContext(monitor);
    HDC deviceContext = adapterContext ? adapterContext : windowContext;
    PIXELFORMATDESCRIPTOR format{};
    const int count = DescribePixelFormat(deviceContext, 1, sizeof format, &format);
    for (int number = 1; number <= count; ++number) {
        ClassicPixelFormatRecord record;
        if (DescribePixelFormat(deviceContext, number, sizeof format, &format)) {
            record.flags = format.dwFlags;
            record.colorBits = format.cColorBits;
            record.depthBits = format.cDepthBits;
            record.stencilBits = format.cStencilBits;
        }
        out.classicFormats.push_back(record);  // one per number, described or not
    }
    if (adapterContext)
        DeleteDC(adapterContext);
}

}

ProbeStatus ProbePixelFormats(void* monitor, PixelFormatProbe& out, std::string& errorText) {
    out = PixelFormatProbe();
    if (!RegisterQueryWindowClass()) {
        errorText = ErrorText(GetLastError());
        return ProbeStatus::NoWindowClass;
    }
    QueryWindow query;
    const ProbeStatus status = query.Open(monitor);
    if (status != ProbeStatus::Done)
        return status;
    if (!ProbeExtendedFormats(query.DeviceContext(), out))
        ProbeClassicFormats(monitor, query.DeviceContext(), out);
    return ProbeStatus::Done;
}

}
