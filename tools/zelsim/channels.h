#pragma once
// The simulator's two ways in: each serves until stop turns true.
#include <atomic>

#include "transport/pseudo_terminal.h"
#include "transport/udp_endpoint.h"
#include "zelsim/recorder.h"

namespace zelsim {

// Answers each datagram on its own, to the sender's address and port.
void ServeUdp(zel::UdpEndpoint& endpoint, bool zelnet, Recorder& recorder,
              const std::atomic<bool>& stop);

// Answers the byte stream of the pseudo-terminal's master side.
void ServePty(zel::PseudoTerminal& pty, Recorder& recorder, const std::atomic<bool>& stop);

}  // namespace zelsim
