#include "transport/serial_line.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "transport/serial_line_settings.h"

namespace zel {

namespace {

struct ProbeMeaning {
    int error;
    ProbeResult result;
};
constexpr ProbeMeaning kProbeMeanings[] = {
    {ENOENT, ProbeResult::NoSuchDevice}, {ENODEV, ProbeResult::NoSuchDevice},
    {ENXIO, ProbeResult::NoSuchDevice},  {EBUSY, ProbeResult::InUse},
    {EACCES, ProbeResult::InUse},        {EWOULDBLOCK, ProbeResult::InUse},
};

// Beyond this the bytes wait in the system, as they would without a listener.
constexpr size_t kMaxArrivedBytes = 64 * 1024;

bool SameLine(const termios& a, const termios& b) {
    return a.c_cflag == b.c_cflag && a.c_iflag == b.c_iflag && cfgetospeed(&a) == cfgetospeed(&b) &&
           cfgetispeed(&a) == cfgetispeed(&b);
}

}  // namespace

CSerial::~CSerial() {
    CSerial::CloseLine();
}

ProbeResult CSerial::ProbePort(const std::string& name) {
    int error = 0;
    int fd = OpenExclusively(name, &error);
    if (fd >= 0) {
        CloseExclusive(fd);
        return ProbeResult::Available;
    }
    for (const auto& meaning : kProbeMeanings)
        if (meaning.error == error) return meaning.result;
    return ProbeResult::OtherFailure;
}

long CSerial::OpenLine(const std::string& name) {
    if (IsOpen()) return Finish(serial_error::kAlreadyInitialized);
    int error = 0;
    int fd = OpenExclusively(name, &error);
    if (fd < 0) return Finish(error);
    device_ = fd;
    // The port's own defaults, as far as the device takes them; a device that refuses keeps
    // what it has.
    termios attributes{};
    if (tcgetattr(device_, &attributes) == 0) {
        line_settings::MakeRaw(attributes);
        tcsetattr(device_, TCSANOW, &attributes);
    }
    SetEventMask(kOpenEventMask);
    SetReadMode(kNonBlocking);
    occurredEvents_ = 0;
    errorCounts_ = ReadLineErrorCounts(device_);
    return Finish(0);
}

long CSerial::CloseLine() {
    std::lock_guard lock(readLock_);
    arrived_.clear();
    arrivedFront_ = 0;
    if (IsOpen()) {
        CloseExclusive(device_);
        device_ = kNoSerialDevice;
    }
    return Finish(0);
}

template <typename Change>
long CSerial::ChangeAttributes(Change change, long refusal) {
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    termios original{};
    if (tcgetattr(device_, &original) != 0) return Finish(errno);
    termios wanted = original;
    if (!change(wanted)) return Finish(refusal);
    if (tcsetattr(device_, TCSANOW, &wanted) != 0) return Finish(errno);
    // Drivers take what they can and ignore the rest (a pseudo-terminal is always 8-N):
    // the change only counts when applying it once more would change nothing.
    termios applied{};
    if (tcgetattr(device_, &applied) != 0) return Finish(errno);
    termios reapplied = applied;
    change(reapplied);
    if (SameLine(applied, reapplied)) return Finish(0);
    tcsetattr(device_, TCSANOW, &original);
    return Finish(EINVAL);
}

template <typename Read>
int CSerial::QueryAttributes(Read read) {
    if (!IsOpen()) {
        Finish(serial_error::kInvalidHandle);
        return -1;
    }
    termios attributes{};
    if (tcgetattr(device_, &attributes) != 0) {
        Finish(errno);
        return -1;
    }
    Finish(0);
    return read(attributes);
}

long CSerial::ConfigureLine(uint32_t baudRate, int dataBits, int parity, int stopBits) {
    return ChangeAttributes(
        [&](termios& attributes) {
            return line_settings::SetBaudRate(attributes, baudRate) &&
                   line_settings::SetFraming(attributes, dataBits, parity, stopBits);
        },
        EINVAL);
}

long CSerial::SetHandshake(int mode) {
    return ChangeAttributes(
        [&](termios& attributes) { return line_settings::SetHandshake(attributes, mode); },
        serial_error::kInvalidArgument);
}

long CSerial::QueryBaudRate() {
    return QueryAttributes([](const termios& attributes) {
        auto baudRate = line_settings::BaudRateOf(attributes);
        return baudRate ? static_cast<int>(*baudRate) : -1;
    });
}

int CSerial::QueryDataBits() {
    return QueryAttributes(line_settings::DataBitsOf);
}
int CSerial::QueryParity() {
    return QueryAttributes(line_settings::ParityOf);
}
int CSerial::QueryStopBits() {
    return QueryAttributes(line_settings::StopBitsOf);
}
int CSerial::QueryHandshake() {
    return QueryAttributes(line_settings::HandshakeOf);
}

long CSerial::WriteBytes(const void* bytes, size_t count, size_t* written, int timeoutMs) {
    size_t done = 0;
    if (written) *written = 0;
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    const char* next = static_cast<const char*>(bytes);
    Deadline deadline(timeoutMs);
    long result = 0;
    while (done < count && result == 0) {
        ssize_t n = write(device_, next + done, count - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno == EAGAIN)
            result = WaitUntilReady(device_, POLLOUT, deadline);
        else if (n < 0 && errno != EINTR)
            result = errno;
        else if (n == 0)
            result = EIO;
    }
    if (written) *written = done;
    return Finish(result);
}

size_t CSerial::CollectArrivals() {
    std::lock_guard lock(readLock_);
    char buffer[4096];
    // Bytes already read are cut off here, once per collection, rather than at every read.
    arrived_.erase(0, arrivedFront_);
    arrivedFront_ = 0;
    const size_t before = arrived_.size();
    while (IsOpen() && arrived_.size() < kMaxArrivedBytes) {
        ssize_t n =
            read(device_, buffer, std::min(sizeof buffer, kMaxArrivedBytes - arrived_.size()));
        if (n > 0)
            arrived_.append(buffer, static_cast<size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;  // nothing more, or the device is gone: the next read tells
    }
    return arrived_.size() - before;
}

long CSerial::ReadAvailable(char* buffer, size_t size, size_t* readCount) {
    size_t collected = std::min(arrived_.size() - arrivedFront_, size - *readCount);
    arrived_.copy(buffer + *readCount, collected, arrivedFront_);
    arrivedFront_ += collected;
    *readCount += collected;
    while (*readCount < size) {
        ssize_t n = read(device_, buffer + *readCount, size - *readCount);
        if (n > 0)
            *readCount += static_cast<size_t>(n);
        else if (n < 0 && errno == EAGAIN)
            return 0;
        else if (n < 0 && errno != EINTR)
            return *readCount > 0 ? 0 : errno;  // the bytes first, the failure on the next read
        else if (n == 0)
            return *readCount > 0 ? 0 : EIO;  // end of file: the device hung up
    }
    return 0;
}

long CSerial::ReadAll(char* buffer, size_t size, size_t* readCount, const Deadline& deadline) {
    for (;;) {
        long result = ReadAvailable(buffer, size, readCount);
        if (result != 0 || *readCount == size) return result;
        result = WaitUntilReady(device_, POLLIN, deadline);
        if (result != 0) return result;
    }
}

uint32_t CSerial::ClearLineErrors() {
    if (!errorCounts_) return 0;
    auto counts = ReadLineErrorCounts(device_);
    if (!counts) return 0;
    LineErrorReport report = CompareLineErrorCounts(*errorCounts_, *counts);
    errorCounts_ = counts;
    NoteEvents(report.events);
    return report.errors;
}

}  // namespace zel
