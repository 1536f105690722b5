// A hundred megabytes from a device on a pseudo-terminal into the running terminal: the window
// keeps answering, memory stays bounded, the log keeps the newest bytes exactly, and a command
// and its reply still go through afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <iostream>
#include <thread>

#include "flood/event_loop_watch.h"
#include "flood/flood_limits.h"
#include "flood/flood_traffic.h"
#include "flood/memory_bound.h"
#include "flood/windowed_terminal.h"
#include "gui/log_view.h"
#include "transport/pseudo_terminal.h"

namespace zel::test {
namespace {

const std::string kFloodEnd = "FLOOD-END\r";

// The newest bytes the device sent, as many as asked for.
std::string FloodTail(size_t blocks, size_t byteCount) {
    std::string tail = kFloodEnd;
    for (size_t index = blocks; index-- > 0 && tail.size() < byteCount;) {
        tail.insert(0, SerialFloodBlock(index));
    }
    return tail.substr(tail.size() - std::min(byteCount, tail.size()));
}

// What the device sent, as far as the log still holds it: its received lines without their
// headers and the line ends the terminal adds, read back from the Mixed form. The first line
// may have lost its beginning to the log's limit, so it is left out.
std::string ReceivedBytesInLog(const std::string& log, const std::string& header) {
    std::string bytes;
    size_t lineStart = log.find("\r\n");
    while (lineStart != std::string::npos && lineStart + 2 < log.size()) {
        lineStart += 2;
        const size_t lineEnd = log.find("\r\n", lineStart);
        if (lineEnd == std::string::npos) break;
        std::string_view line(log.data() + lineStart, lineEnd - lineStart);
        if (!line.starts_with(header))
            return "line without header: " + std::string(line.substr(0, 80));
        bytes += DecodeMixedLog(line.substr(header.size()));
        lineStart = lineEnd;
    }
    return bytes;
}

TEST(SerialFloodTest, HundredMegabytesLeaveTheTerminalAnsweringBoundedAndExact) {
    PseudoTerminal device;
    ASSERT_TRUE(device.IsOpen());
    WindowedTerminal rig({.product = "Korvex",
                          .connection = kSerial,
                          .protocol = "Pioneer",
                          .serialPort = device.SlavePath()});
    ASSERT_TRUE(rig.Serial().IsOpen());
    const std::string header = "Received (" + device.SlavePath() + "): ";
    ASSERT_TRUE(PumpEventsUntil([&] { return !rig.LastShownLine().isEmpty(); }, kFloodPatience));

    const MemoryBaseline baseline;
    EventLoopWatch watch;
    const size_t blocks = kSerialFloodBytes / kSerialBlockBytes;
    std::atomic<bool> allWritten{false};
    std::thread writer([&] {
        bool ok = true;
        for (size_t index = 0; index < blocks && ok; ++index)
            ok = device.Write(SerialFloodBlock(index));
        allWritten = ok && device.Write(kFloodEnd);
    });
    const QString shownEnd = QString::fromLatin1("FLOOD-END<0D>");
    const bool arrived =
        PumpEventsUntil([&] { return rig.LastShownLine().endsWith(shownEnd); }, kFloodPatience);
    writer.join();
    ASSERT_TRUE(allWritten);
    ASSERT_TRUE(arrived) << "the flood's end never showed";
    const MemoryUse use = baseline.Measure(watch);
    std::cout << "serial flood: " << kSerialFloodBytes / 1024 / 1024 << " MiB, " << use.Describe()
              << ", longest stall " << watch.LongestStall().count() << " ms over " << watch.Ticks()
              << " ticks\n";

    EXPECT_LT(watch.LongestStall(), kLongestStallAllowed);
    EXPECT_TRUE(use.WithinBound()) << use.Describe();
    const std::string& log = rig.Terminal().Log().Text();
    EXPECT_LE(log.size(), CommLog::kDefaultLimitBytes);
    EXPECT_TRUE(rig.BoxCatchesUp(std::chrono::seconds(30))) << "the box differs from the log";
    const std::string received = ReceivedBytesInLog(log, header);
    // The log must have dropped old lines; what it kept is exactly the device's newest bytes.
    EXPECT_GT(received.size(), kSerialFloodBytes / 8);
    EXPECT_TRUE(received == FloodTail(blocks, received.size()))
        << "the log's " << received.size() << " received bytes are not the flood's last ones";

    rig.Terminal().SendCommand("PL", true);
    std::string command;
    for (int attempt = 0; attempt < 100 && command.size() < 3; ++attempt)
        command += device.Read(100);
    EXPECT_EQ(command, "PL\r");
    ASSERT_TRUE(device.Write("R\r"));
    EXPECT_TRUE(PumpEventsUntil(
        [&] { return rig.LastShownLine() == QString::fromStdString(header + "R<0D>"); },
        kFloodPatience));
}

}  // namespace
}  // namespace zel::test
