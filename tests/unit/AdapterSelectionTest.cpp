#include "engine/render/AdapterSelection.h"

#include <gtest/gtest.h>

namespace {

using platform::DisplayDeviceRecord;
using platform::MonitorRecord;

constexpr uint32_t kActive = platform::kMonitorActive;
constexpr uint32_t kActiveAttached = platform::kMonitorActive | platform::kMonitorAttached;

DisplayDeviceRecord Device(const std::string& name, std::vector<uint32_t> monitors, uint32_t flags = 0) {
    DisplayDeviceRecord device;
    device.deviceName = name;
    device.deviceString = name + " card";
    device.deviceId = name + " id";
    device.stateFlags = flags;
    device.monitorStateFlags = std::move(monitors);
    return device;
}

void* Handle(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

std::vector<DisplayAdapter> Select(const std::vector<DisplayDeviceRecord>& devices,
                                   const std::vector<MonitorRecord>& monitors) {
    std::vector<DisplayAdapter> out{DisplayAdapter()};  // stale content is cleared
    SelectDisplayAdapters(devices, monitors, out);
    return out;
}

void ExpectDefault(const std::vector<DisplayAdapter>& adapters) {
    ASSERT_EQ(adapters.size(), 1u);
    EXPECT_EQ(adapters[0].index, 0);
    EXPECT_EQ(adapters[0].description, "Default");
    EXPECT_EQ(adapters[0].deviceId, "Default");
    EXPECT_EQ(adapters[0].deviceName, "Default");
    EXPECT_EQ(adapters[0].monitorName, "Default");
    EXPECT_EQ(adapters[0].monitor, nullptr);
}

TEST(AdapterSelection, AdapterWithMonitorHandleIsListedWithItsStrings) {
    auto adapters = Select({Device("DISPLAY1", {kActiveAttached})}, {{Handle(7), "DISPLAY1"}});
    ASSERT_EQ(adapters.size(), 1u);
    EXPECT_EQ(adapters[0].index, 0);
    EXPECT_EQ(adapters[0].description, "DISPLAY1 card");
    EXPECT_EQ(adapters[0].deviceId, "DISPLAY1 id");
    EXPECT_EQ(adapters[0].monitorName, "Unknown");
    EXPECT_EQ(adapters[0].monitor, Handle(7));
}

TEST(AdapterSelection, OnlyAMirroringDriverGivesTheDefaultRecord) {
    ExpectDefault(Select({Device("MIRROR", {kActiveAttached}, platform::kMirroringDriver)}, {{Handle(1), "MIRROR"}}));
    ExpectDefault(Select({}, {}));
}

TEST(AdapterSelection, AdapterZeroWithoutHandleIsDroppedButLaterOnesAreKept) {
    auto adapters = Select({Device("A", {kActive}), Device("B", {kActive})}, {});
    ASSERT_EQ(adapters.size(), 1u);
    EXPECT_EQ(adapters[0].index, 1);
    EXPECT_EQ(adapters[0].deviceName, "B");
    EXPECT_EQ(adapters[0].monitor, nullptr);
}

TEST(AdapterSelection, HandleMustMatchTheDeviceNameExactly) {
    ExpectDefault(Select({Device("DISPLAY1", {kActive})}, {{Handle(1), "display1"}, {Handle(2), "DISPLAY10"}}));
}

TEST(AdapterSelection, AdapterWithoutActiveMonitorEndsTheList) {
    auto adapters = Select({Device("A", {kActive}), Device("B", {0}), Device("C", {kActive})},
                           {{Handle(1), "A"}, {Handle(3), "C"}});
    ASSERT_EQ(adapters.size(), 1u);
    EXPECT_EQ(adapters[0].deviceName, "A");
}

TEST(AdapterSelection, AttachmentFlagsInUseRequireAttachedMonitorsNotTakenBefore) {
    // Adapter 0 shows attachment flags, so monitor 0 is taken and adapter 1
    // needs an attached monitor under another number.
    auto adapters = Select({Device("A", {kActiveAttached}), Device("B", {kActiveAttached, kActive, kActiveAttached})},
                           {{Handle(1), "A"}, {Handle(2), "B"}});
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[1].deviceName, "B");

    auto cut = Select({Device("A", {kActiveAttached}), Device("B", {kActiveAttached, kActive})},
                      {{Handle(1), "A"}, {Handle(2), "B"}});
    EXPECT_EQ(cut.size(), 1u);
}

TEST(AdapterSelection, MirroringDriverIsSkippedWithoutEndingTheList) {
    auto adapters = Select({Device("A", {kActive}), Device("M", {kActive}, platform::kMirroringDriver),
                            Device("C", {kActive})},
                           {{Handle(1), "A"}});
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[1].index, 2);
}

}
