#pragma once
// Tests that need the terminal's fixed UDP ports (the local port 2639 every terminal probes at
// start, the products' port 2638) would fail while a terminal runs on the same machine. They
// run in a network of their own, with only loopback, which the programs they start share.
#include <cstdint>
#include <string>
#include <vector>

namespace zel::test {

inline const std::vector<uint32_t> kFixedUdpPorts = {2638, 2639};

// Call first in main, while the process has one thread. False when no network of its own can be
// made here (no right to); the tests then share the machine's.
bool EnterPrivateNetwork();

// Empty when every fixed port is free; otherwise which port is held, and by which program.
std::string HeldFixedPorts();

// Enters a private network, or else makes every test fail at once, naming the programs that
// hold a fixed port. Call first in main, before InitGoogleTest.
void IsolateFixedUdpPorts();

}  // namespace zel::test
