#include "transport/serial_line_settings.h"

#include <algorithm>
#include <iterator>

namespace zel::line_settings {

namespace {

struct SpeedCode {
    uint32_t baudRate;
    speed_t code;
};
constexpr SpeedCode kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

struct FlagCode {
    int code;
    tcflag_t flags;
};
constexpr FlagCode kDataBits[] = {{5, CS5}, {6, CS6}, {7, CS7}, {8, CS8}};
constexpr tcflag_t kParityFlags = PARENB | PARODD | CMSPAR;
constexpr FlagCode kParities[] = {
    {0, 0}, {1, PARENB | PARODD}, {2, PARENB}, {3, PARENB | PARODD | CMSPAR}, {4, PARENB | CMSPAR},
};

struct HandshakeFlags {
    int mode;
    tcflag_t control;  // c_cflag
    tcflag_t input;    // c_iflag
};
constexpr tcflag_t kSoftwareFlowFlags = IXON | IXOFF;
constexpr HandshakeFlags kHandshakes[] = {{0, 0, 0}, {1, CRTSCTS, 0}, {2, 0, kSoftwareFlowFlags}};

enum StopBits { kOne = 0, kOneAndHalf = 1, kTwo = 2 };

template <typename Table, typename Match>
auto Find(const Table& table, Match match) {
    auto found = std::find_if(std::begin(table), std::end(table), match);
    return found == std::end(table) ? nullptr : &*found;
}

}  // namespace

void MakeRaw(termios& attributes) {
    cfmakeraw(&attributes);
    attributes.c_cflag &= ~(CSTOPB | kParityFlags | CRTSCTS);
    attributes.c_cflag |= CLOCAL | CREAD;
    attributes.c_iflag &= ~(kSoftwareFlowFlags | IXANY | INPCK);
    attributes.c_cc[VMIN] = 1;
    attributes.c_cc[VTIME] = 0;
}

bool SetBaudRate(termios& attributes, uint32_t baudRate) {
    auto speed = Find(kSpeeds, [&](const SpeedCode& s) { return s.baudRate == baudRate; });
    return speed && cfsetispeed(&attributes, speed->code) == 0 &&
           cfsetospeed(&attributes, speed->code) == 0;
}

std::optional<uint32_t> BaudRateOf(const termios& attributes) {
    speed_t code = cfgetospeed(&attributes);
    auto speed = Find(kSpeeds, [&](const SpeedCode& s) { return s.code == code; });
    if (!speed) return std::nullopt;
    return speed->baudRate;
}

bool SetFraming(termios& attributes, int dataBits, int parity, int stopBits) {
    auto size = Find(kDataBits, [&](const FlagCode& f) { return f.code == dataBits; });
    auto check = Find(kParities, [&](const FlagCode& f) { return f.code == parity; });
    bool fiveBits = dataBits == 5;
    bool stopsValid = stopBits == kOne || (stopBits == kOneAndHalf && fiveBits) ||
                      (stopBits == kTwo && !fiveBits);
    if (!size || !check || !stopsValid) return false;

    attributes.c_cflag &= ~(CSIZE | kParityFlags | CSTOPB);
    // A UART sends 1.5 stop bits when asked for two with five data bits.
    attributes.c_cflag |= size->flags | check->flags | (stopBits == kOne ? 0 : CSTOPB);
    if (parity == 0)
        attributes.c_iflag &= ~INPCK;
    else
        attributes.c_iflag |= INPCK;
    return true;
}

int DataBitsOf(const termios& attributes) {
    tcflag_t size = attributes.c_cflag & CSIZE;
    return Find(kDataBits, [&](const FlagCode& f) { return f.flags == size; })->code;
}

int ParityOf(const termios& attributes) {
    tcflag_t flags = (attributes.c_cflag & PARENB) ? attributes.c_cflag & kParityFlags : 0;
    auto parity = Find(kParities, [&](const FlagCode& f) { return f.flags == flags; });
    return parity ? parity->code : 0;
}

int StopBitsOf(const termios& attributes) {
    if (!(attributes.c_cflag & CSTOPB)) return kOne;
    return (attributes.c_cflag & CSIZE) == CS5 ? kOneAndHalf : kTwo;
}

bool SetHandshake(termios& attributes, int mode) {
    auto handshake = Find(kHandshakes, [&](const HandshakeFlags& h) { return h.mode == mode; });
    if (!handshake) return false;
    attributes.c_cflag = (attributes.c_cflag & ~CRTSCTS) | handshake->control;
    attributes.c_iflag = (attributes.c_iflag & ~kSoftwareFlowFlags) | handshake->input;
    return true;
}

int HandshakeOf(const termios& attributes) {
    if (attributes.c_cflag & CRTSCTS) return 1;
    return (attributes.c_iflag & kSoftwareFlowFlags) == kSoftwareFlowFlags ? 2 : 0;
}

}  // namespace zel::line_settings
