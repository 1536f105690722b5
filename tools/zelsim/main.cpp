// zelsim: plays a product for the terminal on UDP and on a serial line.
#include <csignal>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

#include "zelsim/channels.h"
#include "zelsim/options.h"
#include "zelsim/serial_stream.h"
#ifndef _WIN32
#include "transport/pseudo_terminal.h"
#endif

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void RequestStop(int) {
    stopRequested = true;
}

int Fail(const std::string& message) {
    std::cerr << "zelsim: " << message << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    zelsim::ParsedOptions parsed = zelsim::ParseOptions(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "zelsim: " << parsed.error << "\nTry 'zelsim --help'.\n";
        return 2;
    }
    const zelsim::Options& options = parsed.options;
    if (options.help) {
        std::cout << zelsim::UsageText();
        return 0;
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);

    zelsim::Recorder recorder;
    if (!options.recordFile.empty() && !recorder.Open(options.recordFile)) {
        return Fail("cannot open the record file '" + options.recordFile + "'");
    }

    zel::UdpEndpoint endpoint;
    if (options.udpPort) {
        if (!endpoint.Bind(options.bindAddress, *options.udpPort)) {
            return Fail("cannot bind UDP to " + options.bindAddress + ":" +
                        std::to_string(*options.udpPort));
        }
        std::cout << "udp: " << options.bindAddress << ":" << endpoint.LocalPort() << std::endl;
    }
#ifdef _WIN32
    if (options.pty) return Fail("Windows has no pseudo-terminals: give --serial COMn");
#else
    std::optional<zel::PseudoTerminal> pty;
    if (options.pty) {
        pty.emplace();
        if (!pty->IsOpen()) return Fail("cannot open a pseudo-terminal");
        std::cout << "pty: " << pty->SlavePath() << std::endl;
    }
#endif
    std::optional<zelsim::SerialStream> serial;
    if (!options.serialPort.empty()) {
        serial.emplace(options.serialPort);
        if (!serial->IsOpen()) {
            return Fail("cannot open the serial port '" + options.serialPort +
                        "': " + zel::SerialErrorText(serial->Error()));
        }
        std::cout << "serial: " << options.serialPort << std::endl;
    }

    std::vector<std::jthread> channels;
    if (endpoint.IsOpen()) {
        channels.emplace_back(
            [&] { zelsim::ServeUdp(endpoint, options.zelnet, recorder, stopRequested); });
    }
#ifndef _WIN32
    if (pty) {
        channels.emplace_back([&] { zelsim::ServeStream(*pty, recorder, stopRequested); });
    }
#endif
    if (serial) {
        channels.emplace_back([&] { zelsim::ServeStream(*serial, recorder, stopRequested); });
    }
    return 0;
}
