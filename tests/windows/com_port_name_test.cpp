#include "transport/windows/com_port_name.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(ComPortName, EveryNameOpensThroughTheDeviceNamespace) {
    EXPECT_EQ(ComPortDevicePath("COM10"), "\\\\.\\COM10");
    EXPECT_EQ(ComPortDevicePath("COM1"), "\\\\.\\COM1");
    EXPECT_EQ(ComPortDevicePath("\\\\.\\COM12"), "\\\\.\\COM12");
}

TEST(ComPortName, ListedPortsFollowTheProbedOnesInNaturalOrderOnce) {
    auto ports = MergeComPorts({"COM10", "COM3", "com9", "COM10", "", "COM21"});
    std::vector<std::string> expected = {"COM1", "COM2", "COM3", "COM4",  "COM5", "COM6",
                                         "COM7", "COM8", "com9", "COM10", "COM21"};
    EXPECT_EQ(ports, expected);
}

}  // namespace
}  // namespace zel
