#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The operating system in one line, computed on the first call and kept while
// it is non-empty; null when the OS cannot be described (a later call tries
// again).
const char* GetOSDescription();

// What the Windows version query reports, as plain values.
struct WindowsVersionRecord {
    bool extended = false;  // the service-pack numbers, suite mask and product type were filled
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    std::string csdVersion;  // the service-pack text
    uint16_t servicePackMajor = 0;
    uint16_t servicePackMinor = 0;
    uint16_t suiteMask = 0;
    uint8_t productType = 0;
};

// Fills the record from the extended query (or the basic one); false when the
// query fails.
using WindowsVersionQuery = std::function<bool(bool extended, WindowsVersionRecord& record)>;

// Read access to keys under HKEY_LOCAL_MACHINE.
struct WindowsRegistry {
    // A text value, without its terminator; false when the key cannot be
    // opened or the value cannot be read.
    std::function<bool(const char* key, const char* value, std::string& text)> readValue;
    // True when the key can be opened for reading.
    std::function<bool(const char* key)> canOpenKey;
};

// The Windows description: "Microsoft Windows" when neither query succeeds,
// nothing when an old NT's product type cannot be read.
std::optional<std::string> DescribeWindows(const WindowsVersionQuery& query, const WindowsRegistry& registry);
std::optional<std::string> DescribeWindowsVersion(const WindowsVersionRecord& version, const WindowsRegistry& registry);

// What uname reports.
struct UnameRecord {
    std::string sysname;
    std::string release;
    std::string machine;
};

// The distribution named in the os-release text, then the kernel, for example
// "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64 x86_64".
std::string DescribeLinux(const std::string& osRelease, const UnameRecord& kernel);
