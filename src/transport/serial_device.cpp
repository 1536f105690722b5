#include "transport/serial_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "transport/serial_port.h"

namespace zel {

int OpenExclusively(const std::string& path, int* error) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *error = errno;
        close(fd);
        return -1;
    }
    // Also refuses non-terminals, which could never behave as a serial line.
    if (ioctl(fd, TIOCEXCL) != 0) {
        *error = errno;
        close(fd);
        return -1;
    }
    return fd;
}

std::string SerialErrorText(long code) {
    switch (code) {
        case EBUSY:
        case EWOULDBLOCK:
            return "in use by another program";
        case ENOTTY:
            return "not a serial device";
        default:
            return std::strerror(static_cast<int>(code));
    }
}

void CloseExclusive(int fd) {
    ioctl(fd, TIOCNXCL);
    close(fd);
}

long WaitUntilReady(int fd, short events, const Deadline& deadline) {
    for (;;) {
        pollfd watched{fd, events, 0};
        int ready = poll(&watched, 1, deadline.RemainingMs());
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return errno;
        if (ready == 0) return serial_error::kTimeout;
        if (watched.revents & events) return 0;
        return EIO;  // POLLHUP, POLLERR or POLLNVAL without the wanted readiness
    }
}

}  // namespace zel
