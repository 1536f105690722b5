#pragma once
// Line settings in the codes the terminal uses (parity 0 none, 1 odd, 2 even, 3 mark, 4 space;
// stop bits 0 one, 1 one and a half, 2 two; handshake 0 off, 1 hardware, 2 software), applied
// to and read back from a terminal device's attributes.
#include <termios.h>

#include <cstdint>
#include <optional>

namespace zel::line_settings {

// What a port gets when opened: raw bytes, 8-N-1, receiver on, modem lines ignored, no flow
// control; the speed is left as it was.
void MakeRaw(termios& attributes);

// False for a rate the driver has no speed code for.
bool SetBaudRate(termios& attributes, uint32_t baudRate);
std::optional<uint32_t> BaudRateOf(const termios& attributes);

// False for an unknown code or a combination a UART cannot produce (one and a half stop bits
// exist only with five data bits, two stop bits only with more).
bool SetFraming(termios& attributes, int dataBits, int parity, int stopBits);
int DataBitsOf(const termios& attributes);
int ParityOf(const termios& attributes);
int StopBitsOf(const termios& attributes);

// False for an unknown mode. The modem-line flow control the terminal knows as DTR/DSR has no
// separate switch here: hardware mode is RTS/CTS.
bool SetHandshake(termios& attributes, int mode);
int HandshakeOf(const termios& attributes);

}  // namespace zel::line_settings
