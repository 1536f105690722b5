// Winsock under the terminal's socket, on loopback only.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "transport/queued_window_system.h"
#include "transport/udp_endpoint.h"
#include "transport/zel_socket.h"

namespace zel {
namespace {

using namespace std::chrono_literals;

TEST(WinsockUdp, DatagramsTravelBothWaysOnLoopback) {
    test::QueuedWindowSystem window;
    CZelSocket terminal(window);
    std::vector<ReceivedDatagram> received;
    ASSERT_TRUE(terminal.OpenPort(
        0, false, [&](const ReceivedDatagram& datagram) { received.push_back(datagram); }));
    UdpEndpoint device;
    ASSERT_TRUE(device.Bind("127.0.0.1", 0));

    ASSERT_TRUE(terminal.SendText("X\\zeroY", "127.0.0.1", device.LocalPort()));
    auto command = device.Receive(5000);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->bytes, std::string("X\0Y", 3));

    ASSERT_TRUE(device.SendTo("reply one", "127.0.0.1", terminal.LocalPort()));
    ASSERT_TRUE(device.SendTo("reply two", "127.0.0.1", terminal.LocalPort()));
    EXPECT_TRUE(window.RunUntil([&] { return received.size() == 2; }, 5000ms));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].senderAddress, "127.0.0.1");
    EXPECT_EQ(received[1].senderPort, device.LocalPort());
    EXPECT_EQ(received[1].data, "reply two");

    terminal.Close();  // ends the receiver promptly
    EXPECT_FALSE(terminal.IsOpen());
}

TEST(WinsockUdp, ASendToAPortNobodyListensOnDoesNotStopTheReceiver) {
    test::QueuedWindowSystem window;
    CZelSocket terminal(window);
    std::vector<ReceivedDatagram> received;
    ASSERT_TRUE(terminal.OpenPort(
        0, false, [&](const ReceivedDatagram& datagram) { received.push_back(datagram); }));
    UdpEndpoint gone;
    ASSERT_TRUE(gone.Bind("127.0.0.1", 0));
    const uint32_t closedPort = gone.LocalPort();
    gone.Close();
    ASSERT_TRUE(terminal.SendText("?V\r", "127.0.0.1", closedPort));
    UdpEndpoint device;
    ASSERT_TRUE(device.Bind("127.0.0.1", 0));
    ASSERT_TRUE(device.SendTo("later", "127.0.0.1", terminal.LocalPort()));
    EXPECT_TRUE(window.RunUntil([&] { return received.size() == 1; }, 5000ms));
}

TEST(WinsockUdp, APortHeldByAnotherProgramIsReportedSo) {
    UdpEndpoint holder;
    ASSERT_TRUE(holder.Bind("0.0.0.0", 0));
    test::QueuedWindowSystem window;
    CZelSocket terminal(window);
    EXPECT_FALSE(terminal.OpenPort(holder.LocalPort(), true, [](const ReceivedDatagram&) {}));
    EXPECT_EQ(terminal.OpenFailure(), "is in use by another program");
}

TEST(WinsockUdp, ALongerDatagramThanTheBufferIsMarkedCut) {
    UdpEndpoint receiver, sender;
    ASSERT_TRUE(receiver.Bind("127.0.0.1", 0));
    ASSERT_TRUE(sender.Bind("127.0.0.1", 0));
    ASSERT_TRUE(sender.SendTo("0123456789", "127.0.0.1", receiver.LocalPort()));
    char buffer[4];
    std::optional<UdpRead> read;
    for (int i = 0; i < 100 && !read; ++i) {
        read = receiver.ReadWaiting(buffer);
        if (!read) std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->truncated);
    EXPECT_FALSE(sender.SendTo("x", "127.0.0.1", 70000));
}

}  // namespace
}  // namespace zel
