#include "engine/core/OSDescription.h"

#include "engine/platform/SystemServices.h"

#include <cctype>
#include <map>

namespace {

const char* const kProductOptionsKey = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
const char* const kServicePack6aHotfixKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";
// The product type is read into a buffer of this size, terminator included.
constexpr size_t kProductTypeBufferSize = 80;

enum : uint32_t { kPlatformWin32s = 0, kPlatformWindows9x = 1, kPlatformNT = 2 };
enum : uint8_t { kProductWorkstation = 1, kProductDomainController = 2, kProductServer = 3 };
enum : uint16_t {
    kSuiteEnterprise = 0x0002,
    kSuiteDatacenter = 0x0080,
    kSuitePersonal = 0x0200,
    kSuiteBlade = 0x0400,
};

bool EqualsIgnoringCase(const std::string& text, const char* other) {
    size_t index = 0;
    for (; index < text.size() && other[index]; ++index) {
        if (std::tolower(static_cast<unsigned char>(text[index])) != std::tolower(static_cast<unsigned char>(other[index])))
            return false;
    }
    return index == text.size() && !other[index];
}

// The second character of the service-pack text marks the 9x sub-releases.
char SubReleaseLetter(const std::string& csdVersion) { return csdVersion.size() > 1 ? csdVersion[1] : '\0'; }

std::string DescribeWindows9x(const WindowsVersionRecord& version) {
    if (version.majorVersion != 4)
        return "";
    char letter = SubReleaseLetter(version.csdVersion);
    switch (version.minorVersion) {
    case 0: return std::string("Microsoft Windows 95 ") + (letter == 'C' || letter == 'B' ? "OSR2 " : "");
    case 10: return std::string("Microsoft Windows 98 ") + (letter == 'A' ? "SE " : "");
    case 90: return "Microsoft Windows Millennium Edition";
    default: return "";
    }
}

const char* NtPrefix(const WindowsVersionRecord& version) {
    if (version.majorVersion <= 4)
        return "Microsoft Windows NT ";
    if (version.majorVersion >= 6)
        return "";
    switch (version.minorVersion) {
    case 0: return "Microsoft Windows 2000 ";
    case 1: return "Microsoft Windows XP ";
    case 2: return "Microsoft Windows Server 2003, ";
    default: return "";
    }
}

const char* WorkstationEdition(const WindowsVersionRecord& version) {
    if (version.majorVersion == 4)
        return "Workstation 4.0 ";
    return (version.suiteMask & kSuitePersonal) ? "Home Edition " : "Professional ";
}

const char* ServerEdition(const WindowsVersionRecord& version) {
    bool enterprise = (version.suiteMask & kSuiteEnterprise) != 0;
    bool datacenter = (version.suiteMask & kSuiteDatacenter) != 0;
    if (version.majorVersion == 5 && version.minorVersion == 2) {
        if (datacenter)
            return "Datacenter Edition ";
        if (enterprise)
            return "Enterprise Edition ";
        return version.suiteMask == kSuiteBlade ? "Web Edition " : "Standard Edition ";
    }
    if (version.majorVersion == 5 && version.minorVersion == 0) {
        if (datacenter)
            return "Datacenter Server ";
        return enterprise ? "Advanced Server " : "Server ";
    }
    // Only NT 4.0 servers may be called "4.0"; later ones have no edition
    // text of their own here.
    if (version.majorVersion <= 4)
        return enterprise ? "Server 4.0, Enterprise Edition " : "Server 4.0 ";
    return enterprise ? "Server, Enterprise Edition " : "Server ";
}

std::string NtProductFromRecord(const WindowsVersionRecord& version) {
    switch (version.productType) {
    case kProductWorkstation: return WorkstationEdition(version);
    case kProductDomainController:
    case kProductServer: return ServerEdition(version);
    default: return "";
    }
}

// Old NT systems report no product type; their registry does.
std::optional<std::string> NtProductFromRegistry(const WindowsVersionRecord& version, const WindowsRegistry& registry) {
    std::string productType;
    if (!registry.readValue || !registry.readValue(kProductOptionsKey, "ProductType", productType) ||
        productType.size() >= kProductTypeBufferSize)
        return std::nullopt;
    std::string product;
    if (EqualsIgnoringCase(productType, "WINNT"))
        product = "Workstation ";
    else if (EqualsIgnoringCase(productType, "LANMANNT"))
        product = "Server ";
    else if (EqualsIgnoringCase(productType, "SERVERNT"))
        product = "Advanced Server ";
    return product + std::to_string(version.majorVersion) + "." + std::to_string(version.minorVersion) + " ";
}

std::string NtServicePack(const WindowsVersionRecord& version, const WindowsRegistry& registry) {
    std::string build = " (Build " + std::to_string(version.buildNumber & 0xFFFF) + ")";
    // Service Pack 6 was reissued as 6a, which shows only through its hotfix key.
    if (version.majorVersion == 4 && EqualsIgnoringCase(version.csdVersion, "Service Pack 6") && registry.canOpenKey &&
        registry.canOpenKey(kServicePack6aHotfixKey))
        return "Service Pack 6a" + build;
    return version.csdVersion + build;
}

std::optional<std::string> DescribeWindowsNT(const WindowsVersionRecord& version, const WindowsRegistry& registry) {
    std::optional<std::string> product =
        version.extended ? NtProductFromRecord(version) : NtProductFromRegistry(version, registry);
    if (!product)
        return std::nullopt;
    return NtPrefix(version) + *product + NtServicePack(version, registry);
}

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A quoted value ends at its closing quote; inside double quotes a backslash
// takes the next character as it is, as the shell does.
std::string Unquote(const std::string& value) {
    if (value.empty() || (value[0] != '"' && value[0] != '\''))
        return value;
    char quote = value[0];
    std::string text;
    for (size_t index = 1; index < value.size() && value[index] != quote; ++index) {
        if (quote == '"' && value[index] == '\\' && index + 1 < value.size())
            ++index;
        text += value[index];
    }
    return text;
}

std::map<std::string, std::string> ParseOsRelease(const std::string& osRelease) {
    std::map<std::string, std::string> fields;
    size_t start = 0;
    while (start < osRelease.size()) {
        size_t end = osRelease.find('\n', start);
        if (end == std::string::npos)
            end = osRelease.size();
        std::string line = Trim(osRelease.substr(start, end - start));
        size_t equals = line.find('=');
        if (!line.empty() && line[0] != '#' && equals != std::string::npos)
            fields[Trim(line.substr(0, equals))] = Unquote(Trim(line.substr(equals + 1)));
        start = end + 1;
    }
    return fields;
}

std::string Field(const std::map<std::string, std::string>& fields, const char* key) {
    auto found = fields.find(key);
    return found == fields.end() ? "" : found->second;
}

std::string DistributionName(const std::string& osRelease) {
    std::map<std::string, std::string> fields = ParseOsRelease(osRelease);
    std::string pretty = Field(fields, "PRETTY_NAME");
    if (!pretty.empty())
        return pretty;
    std::string name = Field(fields, "NAME");
    if (name.empty())
        name = "Linux";
    std::string version = Field(fields, "VERSION");
    return version.empty() ? name : name + " " + version;
}

std::string KernelName(const UnameRecord& kernel) {
    std::string text;
    for (const std::string* part : {&kernel.sysname, &kernel.release, &kernel.machine}) {
        if (part->empty())
            continue;
        if (!text.empty())
            text += " ";
        text += *part;
    }
    return text;
}

}

const char* GetOSDescription() {
    static std::string description;  // lives until the process exits
    if (description.empty())
        description = platform::DescribeOperatingSystem();
    return description.empty() ? nullptr : description.c_str();
}

std::optional<std::string> DescribeWindows(const WindowsVersionQuery& query, const WindowsRegistry& registry) {
    WindowsVersionRecord version;
    if (query && query(true, version)) {
        version.extended = true;
        return DescribeWindowsVersion(version, registry);
    }
    version = WindowsVersionRecord{};
    if (query && query(false, version)) {
        version.extended = false;
        return DescribeWindowsVersion(version, registry);
    }
    return std::string("Microsoft Windows");
}

std::optional<std::string> DescribeWindowsVersion(const WindowsVersionRecord& version, const WindowsRegistry& registry) {
    switch (version.platformId) {
    case kPlatformWin32s: return std::string("Microsoft Win32s");
    case kPlatformWindows9x: return DescribeWindows9x(version);
    case kPlatformNT: return DescribeWindowsNT(version, registry);
    default: return std::string();
    }
}

std::string DescribeLinux(const std::string& osRelease, const UnameRecord& kernel) {
    std::string distribution = DistributionName(osRelease);
    std::string kernelName = KernelName(kernel);
    return kernelName.empty() ? distribution : distribution + ", " + kernelName;
}
