// The serial port on two COM ports joined back to back (com_pair.py): the terminal's port on the
// first, a plain line playing the device on the second.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "transport/queued_window_system.h"
#include "transport/serial_window.h"

namespace zel {
namespace {

using namespace std::chrono_literals;

struct ComPair {
    std::string terminal, device;
};

std::optional<ComPair> PairFromEnvironment() {
    const char* pair = std::getenv("ZELTERM_TEST_COM_PAIR");
    if (!pair) return std::nullopt;
    std::string text = pair;
    size_t colon = text.find(':');
    return ComPair{text.substr(0, colon), text.substr(colon + 1)};
}

bool RunningUnderWine() {
    HMODULE system = GetModuleHandleW(L"ntdll.dll");
    return system && GetProcAddress(system, "wine_get_version");
}

class SerialPortTest : public testing::Test {
  protected:
    void SetUp() override {
        auto pair = PairFromEnvironment();
        if (!pair) GTEST_SKIP() << "run through com_pair.py: no COM ports joined for this test";
        ports = *pair;
        ASSERT_EQ(device.OpenLine(ports.device), 0);
        ASSERT_EQ(device.ConfigureLine(115200, 8, 0, 0), 0);
    }

    // What the device side receives within the wait.
    std::string DeviceReads(size_t expected) {
        std::string got;
        auto deadline = std::chrono::steady_clock::now() + 5s;
        while (got.size() < expected && std::chrono::steady_clock::now() < deadline) {
            char buffer[256];
            size_t count = 0;
            device.ReadBytes(buffer, sizeof buffer, &count, 0);
            got.append(buffer, count);
            if (count == 0) std::this_thread::sleep_for(5ms);
        }
        return got;
    }

    // Runs the GUI thread until the terminal's port has read `expected` bytes.
    std::string TerminalReads(size_t expected) {
        window.RunUntil([&] { return received.size() >= expected; }, 5000ms);
        return received;
    }

    long OpenTerminal() {
        return port.OpenForWindow(ports.terminal, [this](uint32_t events) {
            eventsSeen |= events;
            char buffer[512];
            size_t count = 0;
            do {
                port.ReadBytes(buffer, sizeof buffer, &count);
                received.append(buffer, count);
            } while (count == sizeof buffer);
        });
    }

    ComPair ports;
    CSerial device;
    test::QueuedWindowSystem window;
    CSerialWnd port{window};
    std::string received;
    uint32_t eventsSeen = 0;
};

TEST_F(SerialPortTest, ProbeTellsFreeAndMissingPorts) {
    EXPECT_EQ(port.ProbePort(ports.terminal), ProbeResult::Available);
    EXPECT_EQ(port.ProbePort("COM199"), ProbeResult::NoSuchDevice);
    EXPECT_EQ(port.OpenForWindow("COM199", [](uint32_t) {}), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.DescribeError(ERROR_ACCESS_DENIED), "in use by another program");
}

TEST_F(SerialPortTest, ProbeTellsHeldPorts) {
    // Windows opens a COM port for one handle at a time; wine lets a second one in.
    if (RunningUnderWine()) GTEST_SKIP() << "wine shares COM ports between openers";
    EXPECT_EQ(port.ProbePort(ports.device), ProbeResult::InUse);
    EXPECT_EQ(port.OpenForWindow(ports.device, [](uint32_t) {}), ERROR_ACCESS_DENIED);
}

TEST_F(SerialPortTest, BytesTravelBothWaysWithEachZeroMarkerAsOneByte) {
    ASSERT_EQ(OpenTerminal(), 0);
    ASSERT_EQ(port.ConfigureLine(115200, 8, 0, 0), 0);
    EXPECT_EQ(port.OpenForWindow(ports.terminal, [](uint32_t) {}),
              serial_error::kAlreadyInitialized);

    port.SendEscapedText("X\\zeroY\r");
    EXPECT_EQ(DeviceReads(4), std::string("X\0Y\r", 4));

    // Longer than one read of the handler, so it reads on until a read comes back short.
    std::string reply(3000, 'r');
    for (size_t i = 0; i < reply.size(); ++i) reply[i] = char('a' + i % 26);
    size_t written = 0;
    ASSERT_EQ(device.WriteBytes(reply.data(), reply.size(), &written, 5000), 0);
    EXPECT_EQ(TerminalReads(reply.size()), reply);
    EXPECT_TRUE(eventsSeen & serial_event::kReceived);
}

TEST_F(SerialPortTest, LineSettingsTheDeviceTakesAreAppliedAndOthersRefused) {
    ASSERT_EQ(OpenTerminal(), 0);
    EXPECT_EQ(port.ConfigureLine(9600, 8, 0, 0), 0);
    EXPECT_EQ(port.QueryBaudRate(), 9600);
    EXPECT_EQ(port.ConfigureLine(19200, 8, 0, 2), 0);
    EXPECT_EQ(port.QueryBaudRate(), 19200);
    EXPECT_EQ(port.QueryStopBits(), 2);
    // A pseudo-terminal is always 8-N: taken or refused as a whole, never half.
    if (port.ConfigureLine(38400, 7, 2, 0) == 0) {
        EXPECT_EQ(port.QueryDataBits(), 7);
        EXPECT_EQ(port.QueryParity(), 2);
    } else {
        EXPECT_EQ(port.QueryBaudRate(), 19200);
        EXPECT_EQ(port.QueryDataBits(), 8);
    }
    // One and a half stop bits exist only with five data bits; parity codes end at 4.
    EXPECT_EQ(port.ConfigureLine(9600, 8, 0, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(port.ConfigureLine(9600, 8, 5, 0), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(port.QueryBaudRate(), 19200);
}

TEST_F(SerialPortTest, ClosingEndsTheListenerAndSilencesEventsOnTheirWay) {
    ASSERT_EQ(OpenTerminal(), 0);
    size_t written = 0;
    device.WriteBytes("late", 4, &written, 5000);
    ASSERT_TRUE(window.WaitForQueued(1));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.CloseLine(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    window.RunQueued();
    EXPECT_EQ(received, "");
    EXPECT_EQ(port.ProbePort(ports.terminal), ProbeResult::Available);
}

TEST_F(SerialPortTest, AVanishedDeviceClosesThePort) {
    ASSERT_EQ(OpenTerminal(), 0);
    std::ofstream(std::getenv("ZELTERM_TEST_HANGUP")) << "unplugged";
    EXPECT_TRUE(window.RunUntil([&] { return !port.IsOpen(); }, 5000ms));
}

}  // namespace
}  // namespace zel
