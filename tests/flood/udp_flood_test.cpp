// A million datagrams of every kind on loopback into the running terminal on Ethernet, with the
// product's protocol plain and framed: the window keeps answering, memory stays bounded, only
// good frames show as ZELNet, and a command and its reply still go through afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <iostream>
#include <thread>

#include "base/zelnet.h"
#include "flood/event_loop_watch.h"
#include "flood/flood_limits.h"
#include "flood/flood_traffic.h"
#include "flood/memory_bound.h"
#include "flood/windowed_terminal.h"
#include "gui/log_view.h"
#include "terminal/zelterm_dlg.h"
#include "transport/udp_endpoint.h"

namespace zel::test {
namespace {

const std::string kPlainHeader = "Received (127.0.0.1): ";
const std::string kZelnetHeader = "Received (127.0.0.1) *ZELNet*: ";
constexpr std::chrono::seconds kWindowBusy{2};
// The datagrams waiting for a busy window, with room for the sender's own buffers. The sanitizer
// build also keeps the sender's freed buffers resident, in its quarantine of up to 256 MiB.
#ifdef ZELTERM_FLOOD_SANITIZED
constexpr size_t kMostGrowthWhileBusy = (16 + 256) * kMiB;
#else
constexpr size_t kMostGrowthWhileBusy = 16 * kMiB;
#endif

uint32_t FreeUdpPort() {
    UdpEndpoint probe;
    return probe.Bind("127.0.0.1", 0) ? probe.LocalPort() : 0;
}

bool IsDropCount(std::string_view line) {
    const size_t digits = line.find_first_not_of("0123456789");
    return digits > 0 && digits != std::string_view::npos &&
           line.substr(digits) == kDatagramsDropped && line[0] != '0';
}

// What is wrong with the log's lines, if anything: each one is a received datagram or the count
// of those dropped while the window was behind, a good frame shows unwrapped and marked, a frame
// with a bad checksum never shows. The first line may have lost its beginning to the log's limit,
// so it is left out.
std::string LogFault(const std::string& log, size_t& zelnetLines, size_t& plainLines) {
    size_t lineStart = log.find("\r\n");
    while (lineStart != std::string::npos && lineStart + 2 < log.size()) {
        lineStart += 2;
        const size_t lineEnd = log.find("\r\n", lineStart);
        if (lineEnd == std::string::npos) break;
        const std::string_view line(log.data() + lineStart, lineEnd - lineStart);
        lineStart = lineEnd;
        if (line.find(kBadChecksumWord) != std::string_view::npos) {
            return "a frame with a bad checksum shows: " + std::string(line.substr(0, 80));
        }
        if (line.starts_with(kZelnetHeader)) {
            const std::string_view payload = line.substr(kZelnetHeader.size());
            if (!payload.starts_with(kGoodFrameWord) || !payload.ends_with("<0D>")) {
                return "not a good frame's payload: " + std::string(line.substr(0, 80));
            }
            ++zelnetLines;
        } else if (line.starts_with(kPlainHeader)) {
            if (line.find(kGoodFrameWord) != std::string_view::npos) {
                return "a good frame shows unmarked: " + std::string(line.substr(0, 80));
            }
            ++plainLines;
        } else if (!line.starts_with("Sent (127.0.0.1):  ") && !IsDropCount(line)) {
            return "a line of unknown origin: " + std::string(line.substr(0, 80));
        }
    }
    return {};
}

struct Protocol {
    const char* name;
    const char* protocol;
    bool framed;
};

void PrintTo(const Protocol& protocol, std::ostream* out) {
    *out << protocol.protocol;
}

class UdpFloodTest : public ::testing::TestWithParam<Protocol> {};

TEST_P(UdpFloodTest, AMillionDatagramsLeaveTheTerminalAnsweringBoundedAndSound) {
    UdpEndpoint device;
    ASSERT_TRUE(device.Bind("127.0.0.1", 0));
    const uint32_t terminalPort = FreeUdpPort();
    TerminalChoice choice;
    choice.product = "Sonnel";
    choice.connection = kEthernet;
    choice.protocol = GetParam().protocol;
    choice.productUdpPort = device.LocalPort();
    choice.localUdpPort = terminalPort;
    WindowedTerminal rig(choice);
    ASSERT_TRUE(rig.Udp().IsOpen());
    ASSERT_EQ(rig.Terminal().Profile().connectionType, kEthernet);

    const MemoryBaseline baseline;
    std::atomic<bool> sent{false};
    std::thread sender([&] {
        DatagramMaker maker(GetParam().framed ? 3 : 4);
        for (size_t count = 0; count < kUdpFloodDatagrams; ++count) {
            device.SendTo(maker.Next(), "127.0.0.1", terminalPort);
        }
        sent = true;
    });
    // The window is busy elsewhere while the flood begins. Nothing reaches the log meanwhile,
    // so what memory grows by is the datagrams waiting for the window.
    std::this_thread::sleep_for(kWindowBusy);
    const size_t growthWhileBusy = baseline.GrowthNow();
    EventLoopWatch watch;
    ASSERT_TRUE(PumpEventsUntil([&] { return sent.load(); }, kFloodPatience));
    sender.join();
    // Datagrams may be lost under a flood, so the end is told until the box shows it.
    const QString shownEnd = QString::fromStdString(kPlainHeader + "FLOOD-END<0D>");
    bool ended = false;
    for (int attempt = 0; attempt < 100 && !ended; ++attempt) {
        device.SendTo("FLOOD-END\r", "127.0.0.1", terminalPort);
        ended = PumpEventsUntil([&] { return rig.LastShownLine() == shownEnd; },
                                std::chrono::seconds(2));
    }
    ASSERT_TRUE(ended) << "the flood's end never showed";
    const MemoryUse use = baseline.Measure(watch);
    std::cout << "UDP flood (" << GetParam().name << "): " << kUdpFloodDatagrams << " datagrams, "
              << use.Describe() << ", longest stall " << watch.LongestStall().count() << " ms over "
              << watch.Ticks() << " ticks, grown by " << growthWhileBusy / kMiB
              << " MiB while the window was busy\n";

    EXPECT_LT(watch.LongestStall(), kLongestStallAllowed);
    EXPECT_TRUE(use.WithinBound()) << use.Describe();
    EXPECT_LT(growthWhileBusy, kMostGrowthWhileBusy);
    const std::string& log = rig.Terminal().Log().Text();
    EXPECT_LE(log.size(), CommLog::kDefaultLimitBytes);
    EXPECT_TRUE(rig.BoxCatchesUp(std::chrono::seconds(30))) << "the box differs from the log";
    size_t zelnetLines = 0;
    size_t plainLines = 0;
    EXPECT_EQ(LogFault(log, zelnetLines, plainLines), "");
    EXPECT_GT(zelnetLines, 0u);
    EXPECT_GT(plainLines, 0u);

    rig.Terminal().SendCommand("PL", true);
    auto command = device.Receive(10000);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->bytes, GetParam().framed ? BuildZelnetFrame("PL\r") : "PL\r");
    const std::string reply = GetParam().framed ? BuildZelnetFrame("OK\r") : "R\r";
    ASSERT_TRUE(device.SendTo(reply, "127.0.0.1", terminalPort));
    const QString shownReply = QString::fromStdString(GetParam().framed ? kZelnetHeader + "OK<0D>"
                                                                        : kPlainHeader + "R<0D>");
    EXPECT_TRUE(PumpEventsUntil([&] { return rig.LastShownLine() == shownReply; },
                                std::chrono::seconds(30)));
}

INSTANTIATE_TEST_SUITE_P(Protocols, UdpFloodTest,
                         ::testing::Values(Protocol{"Plain", "Pioneer", false},
                                           Protocol{"ZELNet", "Pioneer(ZELNet)", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zel::test
