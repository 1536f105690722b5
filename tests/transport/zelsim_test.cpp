#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "queued_window_system.h"
#include "transport/udp_endpoint.h"
#include "transport/zel_socket.h"

namespace zel {
namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr int kGenerousWaitMs = 10000;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

std::string Hex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

// The terminal's end of the simulator's pseudo-terminal.
class SlaveLine {
  public:
    explicit SlaveLine(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {}
    ~SlaveLine() {
        if (fd_ >= 0) close(fd_);
    }
    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const std::string& bytes) {
        return write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // Collects bytes until count have arrived or nothing more comes within the wait.
    std::string Read(size_t count) {
        std::string bytes;
        pollfd waiting{fd_, POLLIN, 0};
        while (bytes.size() < count && poll(&waiting, 1, kGenerousWaitMs) > 0) {
            char chunk[256];
            ssize_t n = read(fd_, chunk, sizeof chunk);
            if (n <= 0) break;
            bytes.append(chunk, static_cast<size_t>(n));
        }
        return bytes;
    }

  private:
    int fd_;
};

struct Exchange {
    std::string sent, reply;
};

const Exchange kExchanges[] = {
    {"?V\r", "V3.21\r"},
    {"?P\r", "P01\r"},
    {"PL\r", "R\r"},
    {"3@12PL\r", "R\r"},
    {"XX\r", "E04\r"},
    {Bytes({0xF5, 0x00, 0x01, 0x02, 0x02, 0x00, 0x05}), Bytes({0xAA})},
    {Bytes({0xF5, 0x00, 0x01, 0x02, 0x02, 0x00, 0x06}), Bytes({0x55})},
    {Bytes({0xF5, 0x00, 0x02, 0x01, 0x42, 0x45}),
     Bytes({0xF5, 0x00, 0x02, 0x01, 0x42, 0x45, 0xAA})},
};

class ZelsimTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove(recordPath); }

    // Starts the simulator with these options plus a record file, and reads where it listens.
    void Start(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--record", recordPath.string()});
        simulator = std::make_unique<test::ChildProcess>(ZELSIM_PATH, arguments);
        ASSERT_TRUE(simulator->Started());
        auto channels =
            std::ranges::count(arguments, "--udp") + std::ranges::count(arguments, "--pty");
        for (; channels > 0; --channels) {
            auto line = simulator->ReadLine(kGenerousWaitMs);
            ASSERT_TRUE(line) << "the simulator did not say where it listens";
            if (line->starts_with("udp: ")) {
                ASSERT_TRUE(line->starts_with("udp: 127.0.0.1:")) << *line;
                udpPort = static_cast<uint32_t>(std::stoul(line->substr(line->rfind(':') + 1)));
            } else if (line->starts_with("pty: ")) {
                ptyPath = line->substr(5);
            }
        }
    }

    std::vector<std::string> RecordedLines() {
        std::ifstream file(recordPath);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }

    std::filesystem::path recordPath =
        std::filesystem::temp_directory_path() /
        ("zelsim_record_" + std::to_string(getpid()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::unique_ptr<test::ChildProcess> simulator;
    uint32_t udpPort = 0;
    std::string ptyPath;
};

TEST_F(ZelsimTest, AnswersTheSenderOnUdpAndRecordsEachDatagram) {
    ASSERT_NO_FATAL_FAILURE(Start({"--udp", "0"}));
    UdpEndpoint terminal;
    ASSERT_TRUE(terminal.Bind(kLoopback, 0));
    std::vector<std::string> expectedRecord;
    for (const auto& exchange : kExchanges) {
        SCOPED_TRACE(Hex(exchange.sent));
        ASSERT_TRUE(terminal.SendTo(exchange.sent, kLoopback, udpPort));
        auto reply = terminal.Receive(kGenerousWaitMs);
        ASSERT_TRUE(reply);
        EXPECT_EQ(Hex(reply->bytes), Hex(exchange.reply));
        EXPECT_EQ(reply->sender.port, udpPort);
        expectedRecord.push_back(Hex(exchange.sent));
    }
    // A packet that asks for no response gets none; the next command is answered as usual.
    const std::string silent = Bytes({0xF5, 0x00, 0x00, 0x01, 0x42, 0x43});
    ASSERT_TRUE(terminal.SendTo(silent, kLoopback, udpPort));
    ASSERT_TRUE(terminal.SendTo("?V\r", kLoopback, udpPort));
    auto reply = terminal.Receive(kGenerousWaitMs);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->bytes, "V3.21\r");
    expectedRecord.insert(expectedRecord.end(), {Hex(silent), Hex("?V\r")});

    EXPECT_EQ(RecordedLines(), expectedRecord);
    EXPECT_EQ(simulator->Terminate(), 0);
}

TEST_F(ZelsimTest, AnswersOnThePseudoTerminalWhileServingUdp) {
    ASSERT_NO_FATAL_FAILURE(Start({"--udp", "0", "--pty"}));
    SlaveLine line(ptyPath);
    ASSERT_TRUE(line.IsOpen()) << ptyPath;
    std::string sentBytes;
    for (const auto& exchange : kExchanges) {
        SCOPED_TRACE(Hex(exchange.sent));
        ASSERT_TRUE(line.Write(exchange.sent));
        EXPECT_EQ(Hex(line.Read(exchange.reply.size())), Hex(exchange.reply));
        sentBytes += exchange.sent;
    }
    // A command split over two writes is answered once it is complete.
    ASSERT_TRUE(line.Write("?"));
    ASSERT_TRUE(line.Write("V\r"));
    EXPECT_EQ(line.Read(6), "V3.21\r");
    sentBytes += "?V\r";

    // Each read is one line; how the bytes fall into reads is up to the line discipline.
    std::string recorded;
    for (const auto& recordedLine : RecordedLines()) {
        recorded += (recorded.empty() ? "" : " ") + recordedLine;
    }
    EXPECT_EQ(recorded, Hex(sentBytes));
    EXPECT_EQ(simulator->Terminate(), 0);
}

TEST_F(ZelsimTest, SpeaksZelnetWithTheTerminalSocket) {
    ASSERT_NO_FATAL_FAILURE(Start({"--udp", "0", "--zelnet"}));
    test::QueuedWindowSystem gui;
    CZelSocket socket(gui);
    std::vector<ReceivedDatagram> received;
    ASSERT_TRUE(
        socket.OpenPort(0, true, [&](const ReceivedDatagram& d) { received.push_back(d); }));

    ASSERT_TRUE(socket.SendZelnetFrame("?V\r", kLoopback, udpPort));
    ASSERT_TRUE(gui.RunUntil([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0].data, "V3.21\r");
    EXPECT_TRUE(received[0].zelnet);
    EXPECT_EQ(received[0].senderPort, udpPort);
    EXPECT_EQ(RecordedLines(), std::vector<std::string>{"F1 01 04 3F 56 0D A7 F2"});
}

TEST_F(ZelsimTest, RefusesABadCommandLine) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--udp", "65536"}, {"--udp"}, {"--zelnet"}, {"--serial"}, {}}) {
        test::ChildProcess refused(ZELSIM_PATH, arguments);
        ASSERT_TRUE(refused.Started());
        EXPECT_EQ(refused.Wait(), 2);
    }
}

}  // namespace
}  // namespace zel
