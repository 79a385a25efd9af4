#include "engine/core/OSDescription.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const char* const kProductOptions = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
const char* const kHotfix = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";

// A registry with the given ProductType value (none when empty) and keys.
struct FakeRegistry {
    std::string productType;
    std::set<std::string> keys;
    std::vector<std::string> valuesRead;

    WindowsRegistry Access() {
        WindowsRegistry registry;
        registry.readValue = [this](const char* key, const char* value, std::string& text) {
            valuesRead.push_back(std::string(key) + "|" + value);
            if (productType.empty() || std::string(key) != kProductOptions || std::string(value) != "ProductType")
                return false;
            text = productType;
            return true;
        };
        registry.canOpenKey = [this](const char* key) { return keys.count(key) != 0; };
        return registry;
    }
};

WindowsVersionRecord Windows9x(uint32_t minor, const char* csdVersion) {
    WindowsVersionRecord version;
    version.platformId = 1;
    version.majorVersion = 4;
    version.minorVersion = minor;
    version.buildNumber = 0x04000457;
    version.csdVersion = csdVersion;
    return version;
}

WindowsVersionRecord WindowsNT(uint32_t major, uint32_t minor, uint32_t build, const char* csdVersion,
                               uint8_t productType, uint16_t suiteMask = 0) {
    WindowsVersionRecord version;
    version.extended = true;
    version.platformId = 2;
    version.majorVersion = major;
    version.minorVersion = minor;
    version.buildNumber = build;
    version.csdVersion = csdVersion;
    version.productType = productType;
    version.suiteMask = suiteMask;
    return version;
}

WindowsVersionRecord BasicNT4(const char* csdVersion) {
    WindowsVersionRecord version = WindowsNT(4, 0, 1381, csdVersion, 0);
    version.extended = false;
    return version;
}

std::string Describe(const WindowsVersionRecord& version, FakeRegistry registry = {}) {
    std::optional<std::string> text = DescribeWindowsVersion(version, registry.Access());
    return text ? *text : "<null>";
}

const UnameRecord kDebianKernel{"Linux", "6.1.0-18-amd64", "x86_64"};

}

TEST(OSDescriptionTest, Windows9xReleasesAndTheirSubReleases) {
    EXPECT_EQ(Describe(Windows9x(0, "")), "Microsoft Windows 95 ");
    EXPECT_EQ(Describe(Windows9x(0, " C")), "Microsoft Windows 95 OSR2 ");
    EXPECT_EQ(Describe(Windows9x(0, " B")), "Microsoft Windows 95 OSR2 ");
    EXPECT_EQ(Describe(Windows9x(0, "C")), "Microsoft Windows 95 ");
    EXPECT_EQ(Describe(Windows9x(10, " A ")), "Microsoft Windows 98 SE ");
    EXPECT_EQ(Describe(Windows9x(10, "")), "Microsoft Windows 98 ");
    EXPECT_EQ(Describe(Windows9x(90, " ")), "Microsoft Windows Millennium Edition");
    WindowsVersionRecord notFour = Windows9x(0, " C");
    notFour.majorVersion = 3;
    EXPECT_EQ(Describe(notFour), "");
}

TEST(OSDescriptionTest, Win32sAndUnknownPlatforms) {
    WindowsVersionRecord version;
    EXPECT_EQ(Describe(version), "Microsoft Win32s");
    version.platformId = 3;
    EXPECT_EQ(Describe(version), "");
}

TEST(OSDescriptionTest, NT4ServicePack6BecomesSixAWithTheHotfixKey) {
    FakeRegistry withHotfix;
    withHotfix.keys = {kHotfix};
    WindowsVersionRecord nt4 = WindowsNT(4, 0, 1381, "Service Pack 6", 1);
    EXPECT_EQ(Describe(nt4, withHotfix), "Microsoft Windows NT Workstation 4.0 Service Pack 6a (Build 1381)");
    EXPECT_EQ(Describe(nt4), "Microsoft Windows NT Workstation 4.0 Service Pack 6 (Build 1381)");
    nt4.csdVersion = "SERVICE PACK 6";
    EXPECT_EQ(Describe(nt4, withHotfix), "Microsoft Windows NT Workstation 4.0 Service Pack 6a (Build 1381)");
    nt4.csdVersion = "Service Pack 5";
    EXPECT_EQ(Describe(nt4, withHotfix), "Microsoft Windows NT Workstation 4.0 Service Pack 5 (Build 1381)");
}

TEST(OSDescriptionTest, NT4Servers) {
    EXPECT_EQ(Describe(WindowsNT(4, 0, 1381, "Service Pack 4", 3)),
              "Microsoft Windows NT Server 4.0 Service Pack 4 (Build 1381)");
    EXPECT_EQ(Describe(WindowsNT(4, 0, 1381, "Service Pack 4", 2, 0x2)),
              "Microsoft Windows NT Server 4.0, Enterprise Edition Service Pack 4 (Build 1381)");
}

TEST(OSDescriptionTest, Windows2000Editions) {
    EXPECT_EQ(Describe(WindowsNT(5, 0, 2195, "Service Pack 4", 1)),
              "Microsoft Windows 2000 Professional Service Pack 4 (Build 2195)");
    EXPECT_EQ(Describe(WindowsNT(5, 0, 2195, "", 3)), "Microsoft Windows 2000 Server  (Build 2195)");
    EXPECT_EQ(Describe(WindowsNT(5, 0, 2195, "", 3, 0x2)), "Microsoft Windows 2000 Advanced Server  (Build 2195)");
    EXPECT_EQ(Describe(WindowsNT(5, 0, 2195, "", 2, 0x82)), "Microsoft Windows 2000 Datacenter Server  (Build 2195)");
}

TEST(OSDescriptionTest, WindowsXPHomeAndProfessional) {
    EXPECT_EQ(Describe(WindowsNT(5, 1, 2600, "Service Pack 2", 1, 0x300)),
              "Microsoft Windows XP Home Edition Service Pack 2 (Build 2600)");
    EXPECT_EQ(Describe(WindowsNT(5, 1, 2600, "Service Pack 3", 1, 0x100)),
              "Microsoft Windows XP Professional Service Pack 3 (Build 2600)");
}

TEST(OSDescriptionTest, Server2003Editions) {
    auto server2003 = [](uint16_t suiteMask) { return Describe(WindowsNT(5, 2, 3790, "Service Pack 1", 3, suiteMask)); };
    EXPECT_EQ(server2003(0x82), "Microsoft Windows Server 2003, Datacenter Edition Service Pack 1 (Build 3790)");
    EXPECT_EQ(server2003(0x2), "Microsoft Windows Server 2003, Enterprise Edition Service Pack 1 (Build 3790)");
    EXPECT_EQ(server2003(0x400), "Microsoft Windows Server 2003, Web Edition Service Pack 1 (Build 3790)");
    EXPECT_EQ(server2003(0x410), "Microsoft Windows Server 2003, Standard Edition Service Pack 1 (Build 3790)");
    EXPECT_EQ(server2003(0), "Microsoft Windows Server 2003, Standard Edition Service Pack 1 (Build 3790)");
}

TEST(OSDescriptionTest, MajorSixAndAboveHaveNoPrefix) {
    EXPECT_EQ(Describe(WindowsNT(6, 1, 7601, "Service Pack 1", 1)), "Professional Service Pack 1 (Build 7601)");
    EXPECT_EQ(Describe(WindowsNT(10, 0, 19045, "", 1, 0x200)), "Home Edition  (Build 19045)");
    // A later server is no "Server 4.0".
    EXPECT_EQ(Describe(WindowsNT(6, 0, 6002, "Service Pack 2", 3)), "Server Service Pack 2 (Build 6002)");
    EXPECT_EQ(Describe(WindowsNT(6, 0, 6002, "", 3, 0x2)), "Server, Enterprise Edition  (Build 6002)");
}

TEST(OSDescriptionTest, BuildNumberKeepsItsLowSixteenBits) {
    EXPECT_EQ(Describe(WindowsNT(5, 1, 0x0A280A28, "", 1)), "Microsoft Windows XP Professional  (Build 2600)");
}

TEST(OSDescriptionTest, BasicRecordReadsTheProductTypeFromTheRegistry) {
    FakeRegistry registry;
    registry.productType = "WINNT";
    EXPECT_EQ(Describe(BasicNT4("Service Pack 3"), registry),
              "Microsoft Windows NT Workstation 4.0 Service Pack 3 (Build 1381)");
    registry.productType = "lanmannt";
    EXPECT_EQ(Describe(BasicNT4("Service Pack 3"), registry), "Microsoft Windows NT Server 4.0 Service Pack 3 (Build 1381)");
    registry.productType = "ServerNT";
    EXPECT_EQ(Describe(BasicNT4(""), registry), "Microsoft Windows NT Advanced Server 4.0  (Build 1381)");
    registry.productType = "TERMINAL";
    EXPECT_EQ(Describe(BasicNT4(""), registry), "Microsoft Windows NT 4.0  (Build 1381)");
    registry.productType = std::string(79, 'X');  // with its terminator, just fits the buffer
    EXPECT_EQ(Describe(BasicNT4(""), registry), "Microsoft Windows NT 4.0  (Build 1381)");
}

TEST(OSDescriptionTest, BasicRecordWithoutAReadableProductTypeHasNoDescription) {
    FakeRegistry unreadable;
    WindowsRegistry access = unreadable.Access();
    EXPECT_FALSE(DescribeWindowsVersion(BasicNT4("Service Pack 6"), access));
    EXPECT_EQ(unreadable.valuesRead, std::vector<std::string>{std::string(kProductOptions) + "|ProductType"});

    FakeRegistry tooLong;
    tooLong.productType = std::string(80, 'X');
    EXPECT_EQ(Describe(BasicNT4(""), tooLong), "<null>");
    EXPECT_FALSE(DescribeWindowsVersion(BasicNT4(""), WindowsRegistry{}));
}

TEST(OSDescriptionTest, QueryFallsBackToTheBasicRecordThenToAPlainName) {
    FakeRegistry registry;
    registry.productType = "WINNT";
    std::vector<bool> asked;
    auto basicOnly = [&](bool extended, WindowsVersionRecord& record) {
        asked.push_back(extended);
        if (extended) {
            record.productType = 3;  // a failed query may leave anything behind
            return false;
        }
        record = BasicNT4("Service Pack 2");
        record.extended = true;  // whatever the query wrote, no extended fields exist
        return true;
    };
    EXPECT_EQ(DescribeWindows(basicOnly, registry.Access()).value_or("<null>"),
              "Microsoft Windows NT Workstation 4.0 Service Pack 2 (Build 1381)");
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));

    auto extended = [](bool, WindowsVersionRecord& record) {
        record = WindowsNT(5, 1, 2600, "Service Pack 3", 1);
        record.extended = false;
        return true;
    };
    EXPECT_EQ(DescribeWindows(extended, registry.Access()).value_or("<null>"),
              "Microsoft Windows XP Professional Service Pack 3 (Build 2600)");

    auto failing = [](bool, WindowsVersionRecord&) { return false; };
    EXPECT_EQ(DescribeWindows(failing, registry.Access()).value_or("<null>"), "Microsoft Windows");
}

TEST(OSDescriptionTest, LinuxPrefersThePrettyName) {
    const char* osRelease =
        "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
        "NAME=\"Debian GNU/Linux\"\n"
        "VERSION_ID=\"12\"\n"
        "VERSION=\"12 (bookworm)\"\n";
    EXPECT_EQ(DescribeLinux(osRelease, kDebianKernel), "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64 x86_64");
}

TEST(OSDescriptionTest, LinuxFallsBackToNameAndVersionThenLinux) {
    EXPECT_EQ(DescribeLinux("NAME=Arch\nVERSION='rolling'\n", kDebianKernel), "Arch rolling, Linux 6.1.0-18-amd64 x86_64");
    EXPECT_EQ(DescribeLinux("NAME=Arch\nPRETTY_NAME=\n", kDebianKernel), "Arch, Linux 6.1.0-18-amd64 x86_64");
    EXPECT_EQ(DescribeLinux("VERSION=7\n", kDebianKernel), "Linux 7, Linux 6.1.0-18-amd64 x86_64");
    EXPECT_EQ(DescribeLinux("", kDebianKernel), "Linux, Linux 6.1.0-18-amd64 x86_64");
}

TEST(OSDescriptionTest, LinuxReadsOsReleaseAsTheShellWould) {
    const char* osRelease =
        "# PRETTY_NAME=\"commented out\"\r\n"
        "  ID=demo\r\n"
        "PRETTY_NAME=\"Demo \\\"Quoted\\\" 1.0\" \r\n";
    EXPECT_EQ(DescribeLinux(osRelease, {}), "Demo \"Quoted\" 1.0");
    EXPECT_EQ(DescribeLinux("PRETTY_NAME=Plain=Text", {"Linux", "", "aarch64"}), "Plain=Text, Linux aarch64");
}

TEST(OSDescriptionTest, DescriptionIsComputedOnceAndKept) {
    const char* description = GetOSDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_NE(std::string(description), "");
    EXPECT_EQ(GetOSDescription(), description);
}
