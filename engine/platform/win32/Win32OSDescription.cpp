#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/SystemServices.h"

#include "engine/core/OSDescription.h"

#include <cstring>

namespace platform {

namespace {

// The registry value is read into a buffer of this size, as the description
// logic expects; a longer value counts as unreadable.
constexpr DWORD kRegistryValueBufferSize = 80;

void CopyBasicFields(const OSVERSIONINFOA& info, WindowsVersionRecord& record) {
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    record.csdVersion = std::string(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
}

bool QueryVersion(bool extended, WindowsVersionRecord& record) {
    OSVERSIONINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = extended ? sizeof(OSVERSIONINFOEXA) : sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
        return false;
    CopyBasicFields(*reinterpret_cast<const OSVERSIONINFOA*>(&info), record);
    if (extended) {
        record.servicePackMajor = info.wServicePackMajor;
        record.servicePackMinor = info.wServicePackMinor;
        record.suiteMask = info.wSuiteMask;
        record.productType = info.wProductType;
    }
    return true;
}

bool ReadRegistryText(const char* key, const char* value, std::string& text) {
    HKEY opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    char buffer[kRegistryValueBufferSize];
    DWORD size = sizeof buffer;
    const LONG result = RegQueryValueExA(opened, value, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return false;
    // The stored text need not end with its terminator.
    text.assign(buffer, strnlen(buffer, size));
    return true;
}

bool CanOpenRegistryKey(const char* key) {
    HKEY opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

}

std::string DescribeOperatingSystem() {
    const WindowsRegistry registry{ReadRegistryText, CanOpenRegistryKey};
    return DescribeWindows(QueryVersion, registry).value_or(std::string());
}

}
