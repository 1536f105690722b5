// The serial port against real pseudo-terminals: the master side plays the device.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "transport/pseudo_terminal.h"
#include "transport/queued_window_system.h"
#include "transport/serial_ports.h"
#include "transport/serial_window.h"

namespace zel {
namespace {

using namespace std::chrono_literals;
using test::QueuedWindowSystem;

constexpr size_t kReadSize = 512;

// The test thread only sleeps while this is measured, so the time is the listener's.
double ListenerCpuSecondsWhileSleeping(std::chrono::milliseconds sleep) {
    auto used = [] {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    };
    double before = used();
    std::this_thread::sleep_for(sleep);
    return used() - before;
}

// A port handled the way the terminal handles it: on an event that is exactly "received",
// read 512 bytes at a time while reads come back full.
class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(device.IsOpen()); }

    long Open(CSerialWnd& serial, const std::string& path) {
        return serial.OpenForWindow(path, [this, &serial](uint32_t event) {
            events.push_back(event);
            handlerThreads.push_back(std::this_thread::get_id());
            if ((event & 0xFFFF) != serial_event::kReceived) return;
            char buffer[kReadSize];
            size_t count = 0;
            const size_t before = received.size();
            do {
                serial.ReadBytes(buffer, kReadSize, &count);
                received.append(buffer, count);
                ++reads;
            } while (count == kReadSize);
            bytesPerCall.push_back(received.size() - before);
        });
    }
    long Open() { return Open(port, device.SlavePath()); }

    // What the device receives, until `size` bytes arrived or nothing comes for a long while.
    std::string DeviceReads(size_t size) {
        std::string bytes;
        while (bytes.size() < size) {
            std::string more = device.Read(10000);
            if (more.empty()) break;
            bytes += more;
        }
        return bytes;
    }

    PseudoTerminal device;
    QueuedWindowSystem gui;
    CSerialWnd port{gui};
    std::vector<uint32_t> events;
    std::vector<std::thread::id> handlerThreads;
    std::string received;
    size_t reads = 0;
    std::vector<size_t> bytesPerCall;  // by each "received" handler call
};

TEST_F(SerialPortTest, ProbeTellsFreeMissingAndHeldPorts) {
    EXPECT_EQ(port.ProbePort(device.SlavePath()), ProbeResult::Available);
    EXPECT_EQ(port.ProbePort("/dev/zelterm-no-such-port"), ProbeResult::NoSuchDevice);

    // The probe let go of the port: it opens at once.
    ASSERT_EQ(Open(), 0);
    CSerialWnd otherTerminal{gui};
    EXPECT_EQ(otherTerminal.ProbePort(device.SlavePath()), ProbeResult::InUse);
    EXPECT_NE(Open(otherTerminal, device.SlavePath()), 0);
    EXPECT_FALSE(otherTerminal.IsOpen());

    port.CloseLine();
    EXPECT_EQ(otherTerminal.ProbePort(device.SlavePath()), ProbeResult::Available);
}

TEST_F(SerialPortTest, SomethingThatIsNoTerminalIsNoPort) {
    auto path = std::filesystem::temp_directory_path() /
                ("zelterm-serial-file-" + std::to_string(getpid()));
    std::ofstream(path) << "not a device";

    EXPECT_EQ(port.ProbePort(path), ProbeResult::OtherFailure);
    EXPECT_NE(Open(port, path), 0);
    EXPECT_FALSE(port.IsOpen());
    std::filesystem::remove(path);
}

TEST_F(SerialPortTest, OpeningAnOpenPortFailsAndKeepsTheConnection) {
    ASSERT_EQ(Open(), 0);
    PseudoTerminal otherDevice;
    EXPECT_EQ(Open(port, otherDevice.SlavePath()), serial_error::kAlreadyInitialized);
    EXPECT_EQ(port.LastError(), serial_error::kAlreadyInitialized);

    EXPECT_TRUE(port.IsOpen());
    port.SendEscapedText("?V\r");
    EXPECT_EQ(DeviceReads(3), "?V\r");
    device.Write("R\r");
    ASSERT_TRUE(gui.RunUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, "R\r");
}

TEST_F(SerialPortTest, EveryOperationOnAClosedPortReportsInvalidHandle) {
    char buffer[8];
    size_t count = 99;
    std::string line;
    const std::vector<std::pair<const char*, std::function<long()>>> operations = {
        {"ConfigureLine", [&] { return port.ConfigureLine(9600, 8, 0, 0); }},
        {"SetHandshake", [&] { return port.SetHandshake(0); }},
        {"SetReadMode", [&] { return port.SetReadMode(0); }},
        {"SetEventMask", [&] { return port.SetEventMask(CSerial::kOpenEventMask); }},
        {"SetEventCharacter", [&] { return port.SetEventCharacter('\r', true); }},
        {"WriteBytes", [&] { return port.WriteBytes("A", 1, &count, 100); }},
        {"WriteString", [&] { return port.WriteString("A", &count, 100); }},
        {"ReadBytes", [&] { return port.ReadBytes(buffer, sizeof buffer, &count); }},
        {"ReadLine", [&] { return port.ReadLine(line, 100); }},
        {"StartListening", [&] { return port.StartListening(); }},
        {"QueryBaudRate", [&] { return port.QueryBaudRate(); }},
        {"QueryDataBits", [&] { return long{port.QueryDataBits()}; }},
        {"QueryParity", [&] { return long{port.QueryParity()}; }},
        {"QueryStopBits", [&] { return long{port.QueryStopBits()}; }},
        {"QueryHandshake", [&] { return long{port.QueryHandshake()}; }},
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        long result = operation();
        EXPECT_EQ(result,
                  std::string_view(name).starts_with("Query") ? -1 : serial_error::kInvalidHandle);
        EXPECT_EQ(port.LastError(), serial_error::kInvalidHandle);
    }
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(port.QueryEventMask(), 0u);
    EXPECT_EQ(port.QueryEventCharacter(), '\0');
    EXPECT_EQ(port.LastError(), serial_error::kInvalidHandle);
    EXPECT_EQ(port.SendEscapedText("PL\r"), 1);
    EXPECT_EQ(port.CloseLine(), 0);
}

TEST_F(SerialPortTest, TextsReachTheDeviceWithEachZeroMarkerAsOneByte) {
    std::string longText, longBytes;
    for (int i = 0; i < 40; ++i) {
        longText += "AB\\zeroC";
        longBytes += std::string("AB\0C", 4);
    }
    struct Case {
        std::string text, wire;
    };
    const Case cases[] = {
        {"PL\r", "PL\r"},
        {"X\\zeroY", std::string("X\0Y", 3)},
        {"\\zero\\zer\\zero", std::string("\0\\zer\0", 6)},
        {longText, longBytes},
    };
    ASSERT_EQ(Open(), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(port.SendEscapedText(c.text), 1);
        EXPECT_EQ(DeviceReads(c.wire.size()), c.wire);
    }
}

TEST_F(SerialPortTest, LineSettingsTheDeviceTakesAreAppliedAndOthersRefused) {
    struct Case {
        uint32_t baudRate;
        int dataBits, parity, stopBits;
    };
    // A pseudo-terminal keeps speed and stop bits but is always 8 data bits without parity.
    const Case taken[] = {{19200, 8, 0, 2}, {115200, 8, 0, 0}, {1200, 8, 0, 0}};
    ASSERT_EQ(Open(), 0);
    for (const auto& c : taken) {
        SCOPED_TRACE(c.baudRate);
        ASSERT_EQ(port.ConfigureLine(c.baudRate, c.dataBits, c.parity, c.stopBits), 0);
        EXPECT_EQ(port.QueryBaudRate(), static_cast<long>(c.baudRate));
        EXPECT_EQ(port.QueryDataBits(), c.dataBits);
        EXPECT_EQ(port.QueryParity(), c.parity);
        EXPECT_EQ(port.QueryStopBits(), c.stopBits);
    }

    const Case refused[] = {{12345, 8, 0, 0}, {9600, 9, 0, 0}, {9600, 8, 5, 0},
                            {9600, 8, 0, 1},  {9600, 7, 2, 0}, {38400, 8, 1, 2}};
    ASSERT_EQ(port.ConfigureLine(57600, 8, 0, 0), 0);
    for (const auto& c : refused) {
        SCOPED_TRACE(c.baudRate);
        EXPECT_NE(port.ConfigureLine(c.baudRate, c.dataBits, c.parity, c.stopBits), 0);
        EXPECT_EQ(port.QueryBaudRate(), 57600);
        EXPECT_EQ(port.QueryDataBits(), 8);
        EXPECT_EQ(port.QueryParity(), 0);
        EXPECT_EQ(port.QueryStopBits(), 0);
    }
}

TEST_F(SerialPortTest, HandshakeAndReadModeTakeOnlyKnownValues) {
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(port.QueryHandshake(), 0);
    for (int mode : {1, 2, 0}) {
        EXPECT_EQ(port.SetHandshake(mode), 0);
        EXPECT_EQ(port.QueryHandshake(), mode);
    }
    EXPECT_EQ(port.SetHandshake(3), serial_error::kInvalidArgument);
    EXPECT_EQ(port.SetReadMode(2), serial_error::kInvalidArgument);
    EXPECT_EQ(port.QueryEventMask(), CSerial::kOpenEventMask);
    EXPECT_EQ(port.SetEventCharacter('\r', true), 0);
    EXPECT_EQ(port.QueryEventCharacter(), '\r');
    EXPECT_EQ(port.QueryEventMask(), CSerial::kOpenEventMask | serial_event::kEventCharacter);
}

TEST_F(SerialPortTest, ReceivedBytesAreAnnouncedOnTheGuiThread) {
    ASSERT_EQ(Open(), 0);
    device.Write("R\r");
    // Announced once: the listener sleeps while the bytes wait for the GUI thread.
    ASSERT_TRUE(gui.WaitForQueued(1));
    EXPECT_LT(ListenerCpuSecondsWhileSleeping(500ms), 0.1);
    ASSERT_TRUE(gui.RunUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, "R\r");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), serial_event::kReceived);
    for (auto id : handlerThreads) EXPECT_EQ(id, std::this_thread::get_id());

    // A second reply gets its own announcement.
    device.Write("OK\r");
    ASSERT_TRUE(gui.RunUntil([&] { return received.size() == 5; }));
    EXPECT_EQ(received, "R\rOK\r");
}

TEST_F(SerialPortTest, ABurstLongerThanOneReadArrivesWhole) {
    std::string burst;
    for (int i = 0; i < 1500; ++i) burst += static_cast<char>('!' + i % 90);
    ASSERT_EQ(Open(), 0);
    device.Write(burst);
    ASSERT_TRUE(gui.RunUntil([&] { return received.size() >= burst.size(); }));
    EXPECT_EQ(received, burst);
    EXPECT_GE(reads, 3u);
}

// Writes what the port and the system take without anyone reading (the listener still
// collects); false when the rest does not go in within the generous wait.
bool WriteWithoutReader(PseudoTerminal& device, std::string_view bytes) {
    const int flags = fcntl(device.MasterFd(), F_GETFL);
    fcntl(device.MasterFd(), F_SETFL, flags | O_NONBLOCK);
    const auto deadline = std::chrono::steady_clock::now() + QueuedWindowSystem::kGenerousWait;
    while (!bytes.empty() && std::chrono::steady_clock::now() < deadline) {
        ssize_t n = write(device.MasterFd(), bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<size_t>(n));
        } else {
            pollfd ready{device.MasterFd(), POLLOUT, 0};
            poll(&ready, 1, 100);
        }
    }
    fcntl(device.MasterFd(), F_SETFL, flags);
    return bytes.empty();
}

// The handler reads while reads come back full, so without a bound one call would take all a
// flooding device sends and the GUI thread would not get to anything else meanwhile.
TEST_F(SerialPortTest, AFloodIsHandedOverInBoundedPortionsWithoutLossOrReordering) {
    // More than one portion, and still little enough to wait in the port's buffer and the
    // system's before the first handler call.
    constexpr size_t kPending = CSerialWnd::kBytesPerDelivery + 6000;
    std::string flood;
    for (size_t i = 0; i < kPending; ++i) flood += static_cast<char>(i * 7 % 251);
    ASSERT_EQ(Open(), 0);
    ASSERT_TRUE(WriteWithoutReader(device, flood));
    // The device stays silent from now on: what follows the first portion comes from the port.
    ASSERT_TRUE(gui.RunUntil([&] { return received.size() >= flood.size(); }));
    EXPECT_TRUE(received == flood);
    ASSERT_GE(bytesPerCall.size(), 2u);
    EXPECT_EQ(bytesPerCall.front(), CSerialWnd::kBytesPerDelivery);
    for (size_t bytes : bytesPerCall) EXPECT_LE(bytes, CSerialWnd::kBytesPerDelivery);

    // Later replies are announced as before.
    device.Write("OK\r");
    ASSERT_TRUE(gui.RunUntil([&] { return received.size() == flood.size() + 3; }));
    EXPECT_EQ(received.substr(flood.size()), "OK\r");
}

TEST_F(SerialPortTest, ReadLineStopsAtTheCarriageReturnAndRestoresNonBlockingReads) {
    ASSERT_EQ(Open(), 0);
    device.Write("ABC\rDEF");
    std::string line;
    EXPECT_EQ(port.ReadLine(line, 10000), 0);
    EXPECT_EQ(line, "ABC");

    char buffer[kReadSize];
    size_t count = 0;
    std::string rest;
    for (int tries = 0; rest.size() < 3 && tries < 100; ++tries) {
        ASSERT_EQ(port.ReadBytes(buffer, sizeof buffer, &count), 0);  // returns at once
        rest.append(buffer, count);
        if (count == 0) std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(rest, "DEF");
    EXPECT_EQ(port.ReadBytes(buffer, sizeof buffer, &count), 0);
    EXPECT_EQ(count, 0u);
}

TEST_F(SerialPortTest, ClosingEndsTheListenerAndSilencesEventsOnTheirWay) {
    ASSERT_EQ(Open(), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.CloseLine(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);  // a hang would fail here
    EXPECT_FALSE(port.IsOpen());

    // An event already posted when the port closes is not delivered.
    ASSERT_EQ(Open(), 0);
    device.Write("late\r");
    ASSERT_TRUE(gui.WaitForQueued(1));
    port.CloseLine();
    gui.RunQueued();
    EXPECT_TRUE(events.empty());

    // Nor is anything after it, and the port opens again as good as new.
    device.Write("later\r");
    EXPECT_FALSE(gui.WaitForQueued(1, 300ms));
    ASSERT_EQ(Open(), 0);
    device.Write("again\r");
    ASSERT_TRUE(gui.RunUntil([&] { return received.find("again\r") != std::string::npos; }));
}

TEST_F(SerialPortTest, AHungUpDeviceClosesThePortWithoutBusyWaiting) {
    ASSERT_EQ(Open(), 0);
    std::string path = device.SlavePath();
    device.CloseMaster();  // the adapter is unplugged

    // The listener reports the loss once and goes quiet.
    ASSERT_TRUE(gui.WaitForQueued(1));
    EXPECT_LT(ListenerCpuSecondsWhileSleeping(500ms), 0.1);

    // Until the GUI thread gets to it, sends and reads fail quietly and at once.
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.SendEscapedText("PL\r"), 1);
    EXPECT_EQ(port.SendEscapedText("X\\zeroY"), 1);
    char buffer[kReadSize];
    size_t count = 0;
    EXPECT_NE(port.ReadBytes(buffer, sizeof buffer, &count), 0);
    EXPECT_EQ(count, 0u);

    ASSERT_TRUE(gui.RunUntil([&] { return !port.IsOpen(); }));
    EXPECT_NE(Open(port, path), 0);  // what the terminal's next send tries
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.SendEscapedText("PL\r"), 1);
}

class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() { unsetenv(name_); }

  private:
    const char* name_;
};

TEST(SerialPortNames, TheEnvironmentListIsTakenAsGiven) {
    QueuedWindowSystem gui;
    CSerialWnd port{gui};
    {
        ScopedEnvironment ports("ZELTERM_SERIAL_PORTS", "/dev/pts/7::COM3:/tmp/my port");
        EXPECT_EQ(port.CandidatePorts(),
                  (std::vector<std::string>{"/dev/pts/7", "COM3", "/tmp/my port"}));
    }
    ScopedEnvironment ports("ZELTERM_SERIAL_PORTS", "a:b:c:d:e:f:g:h:i:j");
    EXPECT_EQ(port.CandidatePorts(),
              (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g", "h"}));
}

TEST(SerialPortNames, DevicesComeAdaptersFirstAndBuiltInPortsOnlyWithHardware) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("zelterm-ports-" + std::to_string(getpid()));
    fs::path dev = root / "dev", ttyClass = root / "class";
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS2", "ttyS10",
                             "ttyS3", "ttySAC0", "ttyprintk", "tty1", "console"}) {
        fs::create_directories(dev);
        std::ofstream(dev / name);
    }
    auto uartType = [&](const char* name, const char* type) {
        fs::create_directories(ttyClass / name);
        std::ofstream(ttyClass / name / "type") << type << "\n";
    };
    uartType("ttyS0", "0");  // a placeholder without a UART
    uartType("ttyS1", "4");
    uartType("ttyS10", "4");
    fs::create_directories(ttyClass / "ttyS2" / "device" / "driver");  // no type attribute
    fs::create_directories(ttyClass / "ttyS3");                        // nothing known

    auto at = [&](const char* name) { return (dev / name).string(); };
    EXPECT_EQ(FindSerialDevices(dev, ttyClass),
              (std::vector<std::string>{at("ttyUSB2"), at("ttyUSB10"), at("ttyACM0"), at("ttyS1"),
                                        at("ttyS2"), at("ttyS10")}));

    for (int unit = 11; unit < 20; ++unit) std::ofstream(dev / ("ttyUSB" + std::to_string(unit)));
    EXPECT_EQ(FindSerialDevices(dev, ttyClass).size(), kMaxCandidatePorts);
    fs::remove_all(root);
}

}  // namespace
}  // namespace zel
