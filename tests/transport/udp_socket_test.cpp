#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "queued_window_system.h"
#include "transport/udp_endpoint.h"
#include "transport/zel_socket.h"

namespace zel {
namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr int kReceiveTimeoutMs = 10000;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

class ZelSocketTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(peer.Bind(kLoopback, 0));
        ASSERT_TRUE(Open(true));
    }

    bool Open(bool unwrapZelnet) {
        return socket.OpenPort(0, unwrapZelnet, [this](const ReceivedDatagram& d) {
            received.push_back(d);
            if (onReceived) onReceived();
        });
    }

    // The peer's datagram to the terminal's socket.
    void SendFromPeer(const std::string& bytes) {
        ASSERT_TRUE(peer.SendTo(bytes, kLoopback, socket.LocalPort()));
    }

    bool WaitForReceived(size_t count) {
        return gui.RunUntil([&] { return received.size() >= count; });
    }

    // Waits until the socket has read `count` datagrams the window has not taken yet.
    bool WaitForWaiting(size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (socket.DatagramsWaiting() < count) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    std::string ReceiveAtPeer() {
        auto datagram = peer.Receive(kReceiveTimeoutMs);
        return datagram ? datagram->bytes : "(nothing)";
    }

    test::QueuedWindowSystem gui;
    CZelSocket socket{gui};
    UdpEndpoint peer;
    std::vector<ReceivedDatagram> received;
    std::function<void()> onReceived;  // runs on the GUI thread after each handled datagram
};

struct SendCase {
    const char* name;
    bool zelnet;
    std::string text;
    std::string wire;
};

TEST_F(ZelSocketTest, SendsTextByteExactPlainAndFramed) {
    const SendCase cases[] = {
        {"plain", false, "PL\r", "PL\r"},
        {"plain zero marker", false, "A\\zeroB", Bytes({0x41, 0x00, 0x42})},
        {"framed", true, "PL\r", Bytes({0xF1, 0x01, 0x04, 0x50, 0x4C, 0x0D, 0xAE, 0xF2})},
        {"framed zero marker", true, "A\\zeroB",
         Bytes({0xF1, 0x01, 0x04, 0x41, 0x00, 0x42, 0x88, 0xF2})},
        {"framed long sum", true, "PLAY",
         Bytes({0xF1, 0x01, 0x04, 'P', 'L', 'A', 'Y', 0xFF, 0x01, 0x3B, 0xF2})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool sent = c.zelnet ? socket.SendZelnetFrame(c.text, kLoopback, peer.LocalPort())
                             : socket.SendText(c.text, kLoopback, peer.LocalPort());
        ASSERT_TRUE(sent);
        auto datagram = peer.Receive(kReceiveTimeoutMs);
        ASSERT_TRUE(datagram);
        EXPECT_EQ(datagram->bytes, c.wire);
        EXPECT_EQ(datagram->sender.port, socket.LocalPort());
    }
}

TEST_F(ZelSocketTest, ResolvesAHostName) {
    ASSERT_TRUE(socket.SendText("?V\r", "localhost", peer.LocalPort()));
    EXPECT_EQ(ReceiveAtPeer(), "?V\r");
}

TEST_F(ZelSocketTest, RefusesWhatDoesNotFitAndSendsWhatJustFits) {
    const std::string tooLongText(kMaxDatagramBytes + 1, 'A');
    const std::string tooLongPayload(kMaxZelnetPayloadBytes + 1, 'A');
    EXPECT_FALSE(socket.SendText(tooLongText, kLoopback, peer.LocalPort()));
    EXPECT_FALSE(socket.SendZelnetFrame(tooLongPayload, kLoopback, peer.LocalPort()));
    EXPECT_FALSE(socket.SendText("PL\r", kLoopback, 65536 + peer.LocalPort()));
    EXPECT_FALSE(socket.SendText("PL\r", "no-such-host.invalid", peer.LocalPort()));

    // A zero marker counts as one byte: 1023 letters and one marker make exactly 1024.
    const std::string fullText = std::string(kMaxDatagramBytes - 1, 'A') + "\\zero";
    ASSERT_TRUE(socket.SendText(fullText, kLoopback, peer.LocalPort()));
    EXPECT_EQ(ReceiveAtPeer(), std::string(kMaxDatagramBytes - 1, 'A') + '\0');

    const std::string fullPayload(kMaxZelnetPayloadBytes, 'A');
    ASSERT_TRUE(socket.SendZelnetFrame(fullPayload, kLoopback, peer.LocalPort()));
    EXPECT_EQ(ReceiveAtPeer().size(), 1036u);  // the whole frame buffer
}

TEST_F(ZelSocketTest, UnwrapsAReceivedFrame) {
    SendFromPeer(Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAC, 0xF2}));
    ASSERT_TRUE(WaitForReceived(1));
    EXPECT_EQ(received[0].data, "OK\r");
    EXPECT_TRUE(received[0].zelnet);
    EXPECT_EQ(received[0].senderAddress, kLoopback);
    EXPECT_EQ(received[0].senderPort, peer.LocalPort());
}

TEST_F(ZelSocketTest, DropsMalformedFramesAndKeepsListening) {
    SendFromPeer(Bytes({0xF1, 0x01, 0x04, 0x4F, 0x0D, 0x61, 0xF2}));        // 7 bytes
    SendFromPeer(Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAD, 0xF2}));  // bad checksum
    SendFromPeer(Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x4B, 0xEA, 0xF2}));  // no carriage return
    SendFromPeer("R\r");
    ASSERT_TRUE(WaitForReceived(1));
    gui.RunQueued();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].data, "R\r");
    EXPECT_FALSE(received[0].zelnet);
}

TEST_F(ZelSocketTest, DeliversEachDatagramAsItsOwnCopy) {
    SendFromPeer("R\r");
    SendFromPeer("E04\r");
    // Both are read before the window handles the first, and one job hands both over.
    ASSERT_TRUE(WaitForWaiting(2));
    EXPECT_EQ(gui.QueuedCount(), 1u);
    gui.RunQueued();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].data, "R\r");
    EXPECT_EQ(received[1].data, "E04\r");
}

TEST_F(ZelSocketTest, DeliversZeroBytesAndTheLargestDatagramWhole) {
    const std::string withZeros = Bytes({0x41, 0x00, 0x42, 0x00});
    const std::string largest(kMaxDatagramBytes, 'x');
    SendFromPeer(std::string(kMaxDatagramBytes + 1, 'y'));  // too long: dropped
    SendFromPeer(withZeros);
    SendFromPeer(largest);
    ASSERT_TRUE(WaitForReceived(2));
    gui.RunQueued();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].data, withZeros);
    EXPECT_EQ(received[1].data, largest);
}

// A flood faster than the window is cut short by the socket, and the log is told how much of it
// was dropped: before the next datagram that comes, or, when none comes, once the window caught up.
TEST_F(ZelSocketTest, TellsHowManyDatagramsItDroppedWhileTheWindowWasBehind) {
    auto fillQueue = [&] {
        for (size_t i = 0; i < CZelSocket::kMostDatagramsWaiting; ++i) {
            SendFromPeer("F\r");
            ASSERT_TRUE(WaitForWaiting(i + 1));
        }
    };
    // What the receiver reads now finds the queue full; nothing shows when it is done.
    auto sendDropped = [&](int count) {
        for (int i = 0; i < count; ++i) SendFromPeer("lost\r");
        std::this_thread::sleep_for(std::chrono::seconds(1));
    };

    fillQueue();
    sendDropped(2);
    // While the window works off the queue, the first datagram that finds room carries the count.
    onReceived = [&] {
        if (received.size() != 2) return;
        SendFromPeer("next\r");
        ASSERT_TRUE(WaitForWaiting(CZelSocket::kMostDatagramsWaiting));
    };
    gui.RunQueued();
    ASSERT_EQ(received.size(), CZelSocket::kMostDatagramsWaiting + 1);
    EXPECT_EQ(received.back().data, "next\r");
    EXPECT_EQ(received.back().droppedBefore, 2u);

    onReceived = nullptr;
    received.clear();
    fillQueue();
    sendDropped(3);
    gui.RunQueued();
    ASSERT_EQ(received.size(), CZelSocket::kMostDatagramsWaiting + 1);
    EXPECT_TRUE(received.back().onlyDropNotice);
    EXPECT_EQ(received.back().droppedBefore, 3u);
    for (size_t i = 0; i + 1 < received.size(); ++i) ASSERT_EQ(received[i].droppedBefore, 0u);
}

TEST_F(ZelSocketTest, PassesFramesThroughWhenNotUnwrapping) {
    const std::string frame = Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAC, 0xF2});
    socket.Close();
    ASSERT_TRUE(Open(false));
    SendFromPeer(frame);
    ASSERT_TRUE(WaitForReceived(1));
    EXPECT_EQ(received[0].data, frame);
    EXPECT_FALSE(received[0].zelnet);
}

TEST_F(ZelSocketTest, RefusesAPortInUse) {
    CZelSocket second(gui);
    EXPECT_FALSE(second.OpenPort(socket.LocalPort(), true, [](const ReceivedDatagram&) {}));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(second.SendText("PL\r", kLoopback, peer.LocalPort()));
    EXPECT_FALSE(second.OpenPort(65536, true, [](const ReceivedDatagram&) {}));
}

TEST_F(ZelSocketTest, DeliversNothingAfterClose) {
    SendFromPeer("R\r");
    ASSERT_TRUE(gui.WaitForQueued(1));
    socket.Close();
    EXPECT_FALSE(socket.IsOpen());
    gui.RunQueued();
    EXPECT_TRUE(received.empty());

    // Reopened, it delivers again, and only what arrives from now on.
    ASSERT_TRUE(Open(true));
    SendFromPeer("E04\r");
    ASSERT_TRUE(WaitForReceived(1));
    EXPECT_EQ(received[0].data, "E04\r");
}

}  // namespace
}  // namespace zel
