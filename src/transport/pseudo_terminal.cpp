#include "transport/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zel {

PseudoTerminal::PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return;
    const char* name = nullptr;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || !(name = ptsname(master_))) {
        CloseMaster();
        return;
    }
    slavePath_ = name;
    // Without an open slave, writes to the master fail with EIO until someone opens it; the
    // keeper also lets the line discipline be set to raw before the terminal opens the port.
    slaveKeeper_ = open(name, O_RDWR | O_NOCTTY);
    termios raw{};
    if (slaveKeeper_ >= 0 && tcgetattr(slaveKeeper_, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(slaveKeeper_, TCSANOW, &raw);
    }
    if (tcgetattr(master_, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
    }
}

PseudoTerminal::~PseudoTerminal() { CloseMaster(); }

bool PseudoTerminal::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(master_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string PseudoTerminal::Read(int timeoutMs) {
    std::string result;
    pollfd pfd{master_, POLLIN, 0};
    if (master_ < 0 || poll(&pfd, 1, timeoutMs) <= 0 || !(pfd.revents & POLLIN)) return result;
    char buffer[4096];
    ssize_t n = read(master_, buffer, sizeof buffer);
    if (n > 0) result.assign(buffer, static_cast<size_t>(n));
    return result;
}

void PseudoTerminal::CloseMaster() {
    if (slaveKeeper_ >= 0) close(slaveKeeper_);
    if (master_ >= 0) close(master_);
    slaveKeeper_ = master_ = -1;
}

}  // namespace zel
