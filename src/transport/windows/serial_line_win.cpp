// The serial line over the Win32 communications interface: the port opened for overlapped I/O,
// reads that never wait in the driver (interval time-out at its maximum), writes that wait for
// completion up to a time-out.
#include <windows.h>

#include <algorithm>
#include <thread>

#include "transport/serial_line.h"
#include "transport/windows/com_port_name.h"
#include "transport/windows/win_handles.h"

namespace zel {

namespace {

struct ProbeMeaning {
    DWORD error;
    ProbeResult result;
};
constexpr ProbeMeaning kProbeMeanings[] = {
    {ERROR_FILE_NOT_FOUND, ProbeResult::NoSuchDevice},
    {ERROR_PATH_NOT_FOUND, ProbeResult::NoSuchDevice},
    {ERROR_ACCESS_DENIED, ProbeResult::InUse},
    {ERROR_SHARING_VIOLATION, ProbeResult::InUse},
};

constexpr DWORD kDriverEvents = EV_RXCHAR | EV_RXFLAG | EV_BREAK | EV_ERR;
constexpr DWORD kInputQueue = 64 * 1024;
constexpr DWORD kOutputQueue = 4 * 1024;
constexpr size_t kMaxArrivedBytes = 64 * 1024;
constexpr DWORD kLineErrorFlags = CE_RXOVER | CE_OVERRUN | CE_RXPARITY | CE_FRAME | CE_BREAK;
// How often a blocking read looks for bytes: the terminal itself never reads blocking.
constexpr auto kBlockingReadPoll = std::chrono::milliseconds(2);

HANDLE OpenDevice(const std::string& name, DWORD* error) {
    HANDLE port =
        CreateFileW(win::Widen(ComPortDevicePath(name)).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return nullptr;
    }
    return port;
}

// Waits for an overlapped operation the call `started` began; the bytes moved go to *moved.
long Complete(HANDLE port, OVERLAPPED& pending, BOOL started, DWORD* moved, int timeoutMs) {
    *moved = 0;
    if (!started) {
        DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) return long(error);
        DWORD waited = WaitForSingleObject(pending.hEvent, timeoutMs < 0 ? INFINITE : timeoutMs);
        if (waited == WAIT_TIMEOUT) {
            CancelIoEx(port, &pending);
            GetOverlappedResult(port, &pending, moved, TRUE);
            return serial_error::kTimeout;
        }
        if (waited != WAIT_OBJECT_0) return long(GetLastError());
    }
    return GetOverlappedResult(port, &pending, moved, TRUE) ? 0 : long(GetLastError());
}

bool SameLine(const DCB& a, const DCB& b) {
    return a.BaudRate == b.BaudRate && a.ByteSize == b.ByteSize && a.Parity == b.Parity &&
           a.StopBits == b.StopBits && a.fOutxCtsFlow == b.fOutxCtsFlow &&
           a.fRtsControl == b.fRtsControl && a.fDtrControl == b.fDtrControl && a.fOutX == b.fOutX &&
           a.fInX == b.fInX;
}

bool ValidFraming(int dataBits, int parity, int stopBits) {
    const bool fiveBits = dataBits == 5;
    const bool stopsValid = stopBits == ONESTOPBIT || (stopBits == ONE5STOPBITS && fiveBits) ||
                            (stopBits == TWOSTOPBITS && !fiveBits);
    return dataBits >= 5 && dataBits <= 8 && parity >= NOPARITY && parity <= SPACEPARITY &&
           stopsValid;
}

// Raw bytes, 8-N-1, no flow control, modem lines up; the speed stays as it was.
void MakeRaw(DCB& line) {
    line.fBinary = TRUE;
    line.fParity = FALSE;
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fDsrSensitivity = FALSE;
    line.fDtrControl = DTR_CONTROL_ENABLE;
    line.fRtsControl = RTS_CONTROL_ENABLE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    line.fNull = FALSE;
    line.fErrorChar = FALSE;
    line.fAbortOnError = FALSE;
}

void SetHandshakeBits(DCB& line, int mode) {
    const bool hardware = mode == 1, software = mode == 2;
    line.fOutxCtsFlow = hardware;
    line.fOutxDsrFlow = hardware;
    line.fDtrControl = hardware ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
    line.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    line.fOutX = software;
    line.fInX = software;
}

}  // namespace

std::string SerialErrorText(long code) {
    switch (code) {
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return "in use by another program";
        case ERROR_FILE_NOT_FOUND:
            return "no such port";
        default:
            return win::SystemMessage(DWORD(code));
    }
}

CSerial::~CSerial() {
    CSerial::CloseLine();
}

ProbeResult CSerial::ProbePort(const std::string& name) {
    DWORD error = 0;
    if (HANDLE port = OpenDevice(name, &error)) {
        CloseHandle(port);
        return ProbeResult::Available;
    }
    for (const auto& meaning : kProbeMeanings)
        if (meaning.error == error) return meaning.result;
    return ProbeResult::OtherFailure;
}

long CSerial::OpenLine(const std::string& name) {
    if (IsOpen()) return Finish(serial_error::kAlreadyInitialized);
    DWORD error = 0;
    HANDLE port = OpenDevice(name, &error);
    if (!port) return Finish(long(error));
    device_ = port;
    // Queue sizes are a request the driver may refuse; it then keeps its own.
    SetupComm(port, kInputQueue, kOutputQueue);
    // A driver that refuses the raw line keeps what it has, as a device that cannot change would.
    DCB line{};
    line.DCBlength = sizeof line;
    if (GetCommState(port, &line)) {
        MakeRaw(line);
        SetCommState(port, &line);
    }
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;  // reads return at once with what is there
    if (!SetCommTimeouts(port, &timeouts) || !SetCommMask(port, kDriverEvents)) {
        long failure = long(GetLastError());
        CloseLine();
        return Finish(failure);
    }
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    SetEventMask(kOpenEventMask);
    SetReadMode(kNonBlocking);
    occurredEvents_ = 0;
    return Finish(0);
}

long CSerial::CloseLine() {
    std::lock_guard lock(readLock_);
    arrived_.clear();
    arrivedFront_ = 0;
    if (IsOpen()) {
        CloseHandle(device_);
        device_ = kNoSerialDevice;
    }
    return Finish(0);
}

template <typename Change>
long CSerial::ChangeAttributes(Change change, long refusal) {
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    DCB line{};
    line.DCBlength = sizeof line;
    if (!GetCommState(device_, &line)) return Finish(long(GetLastError()));
    const DCB original = line;
    if (!change(line)) return Finish(refusal);
    long result = SetCommState(device_, &line) ? 0 : long(GetLastError());
    // Some drivers take what they can and ignore the rest (wine's on a pseudo-terminal keeps
    // 8-N): the change counts only when the line reads back as asked.
    DCB applied{};
    applied.DCBlength = sizeof applied;
    if (result == 0 && (!GetCommState(device_, &applied) || !SameLine(applied, line)))
        result = ERROR_INVALID_PARAMETER;
    if (result != 0) SetCommState(device_, const_cast<DCB*>(&original));
    return Finish(result);
}

template <typename Read>
int CSerial::QueryAttributes(Read read) {
    if (!IsOpen()) {
        Finish(serial_error::kInvalidHandle);
        return -1;
    }
    DCB line{};
    line.DCBlength = sizeof line;
    if (!GetCommState(device_, &line)) {
        Finish(long(GetLastError()));
        return -1;
    }
    Finish(0);
    return read(line);
}

long CSerial::ConfigureLine(uint32_t baudRate, int dataBits, int parity, int stopBits) {
    return ChangeAttributes(
        [&](DCB& line) {
            if (baudRate == 0 || !ValidFraming(dataBits, parity, stopBits)) return false;
            line.BaudRate = baudRate;
            line.ByteSize = BYTE(dataBits);
            line.Parity = BYTE(parity);
            line.StopBits = BYTE(stopBits);
            line.fParity = parity != NOPARITY;
            return true;
        },
        ERROR_INVALID_PARAMETER);
}

long CSerial::SetHandshake(int mode) {
    return ChangeAttributes(
        [&](DCB& line) {
            if (mode < 0 || mode > 2) return false;
            SetHandshakeBits(line, mode);
            return true;
        },
        serial_error::kInvalidArgument);
}

long CSerial::QueryBaudRate() {
    return QueryAttributes([](const DCB& line) { return int(line.BaudRate); });
}
int CSerial::QueryDataBits() {
    return QueryAttributes([](const DCB& line) { return int(line.ByteSize); });
}
int CSerial::QueryParity() {
    return QueryAttributes([](const DCB& line) { return int(line.Parity); });
}
int CSerial::QueryStopBits() {
    return QueryAttributes([](const DCB& line) { return int(line.StopBits); });
}
int CSerial::QueryHandshake() {
    return QueryAttributes([](const DCB& line) {
        if (line.fDtrControl == DTR_CONTROL_HANDSHAKE && line.fRtsControl == RTS_CONTROL_HANDSHAKE)
            return 1;
        return line.fOutX && line.fInX ? 2 : 0;
    });
}

long CSerial::WriteBytes(const void* bytes, size_t count, size_t* written, int timeoutMs) {
    if (written) *written = 0;
    if (!IsOpen()) return Finish(serial_error::kInvalidHandle);
    win::Event done;
    if (!done.Made()) return Finish(long(GetLastError()));
    OVERLAPPED pending{};
    pending.hEvent = done.Get();
    BOOL started = WriteFile(device_, bytes, DWORD(count), nullptr, &pending);
    DWORD moved = 0;
    long result = Complete(device_, pending, started, &moved, timeoutMs);
    if (written) *written = moved;
    return Finish(result);
}

size_t CSerial::CollectArrivals() {
    std::lock_guard lock(readLock_);
    char buffer[4096];
    arrived_.erase(0, arrivedFront_);
    arrivedFront_ = 0;
    const size_t before = arrived_.size();
    while (IsOpen() && arrived_.size() < kMaxArrivedBytes) {
        size_t moved = 0;
        if (ReadDelivered(buffer, std::min(sizeof buffer, kMaxArrivedBytes - arrived_.size()),
                          &moved) != 0 ||
            moved == 0) {
            break;  // nothing more, or the device is gone: the next read tells
        }
        arrived_.append(buffer, moved);
    }
    return arrived_.size() - before;
}

long CSerial::ReadAvailable(char* buffer, size_t size, size_t* readCount) {
    size_t collected = std::min(arrived_.size() - arrivedFront_, size - *readCount);
    arrived_.copy(buffer + *readCount, collected, arrivedFront_);
    arrivedFront_ += collected;
    *readCount += collected;
    while (*readCount < size) {
        size_t moved = 0;
        long result = ReadDelivered(buffer + *readCount, size - *readCount, &moved);
        if (result != 0) return *readCount > 0 ? 0 : result;  // the bytes first
        if (moved == 0) return 0;
        *readCount += moved;
    }
    return 0;
}

long CSerial::ReadAll(char* buffer, size_t size, size_t* readCount, const Deadline& deadline) {
    for (;;) {
        long result = ReadAvailable(buffer, size, readCount);
        if (result != 0 || *readCount == size) return result;
        if (deadline.RemainingMs() == 0) return serial_error::kTimeout;
        std::this_thread::sleep_for(kBlockingReadPoll);
    }
}

long CSerial::ReadDelivered(char* buffer, size_t size, size_t* readCount) {
    *readCount = 0;
    // Only what the driver holds is asked for, so the read never waits, whatever a driver makes
    // of the read time-outs (wine's keeps an overlapped read pending on an idle line).
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(device_, &errors, &status)) return long(GetLastError());
    unreportedErrors_ |= errors & kLineErrorFlags;
    const DWORD wanted = DWORD(std::min<size_t>(size, status.cbInQue));
    if (wanted == 0) return 0;
    win::Event done;
    if (!done.Made()) return long(GetLastError());
    OVERLAPPED pending{};
    pending.hEvent = done.Get();
    BOOL started = ReadFile(device_, buffer, wanted, nullptr, &pending);
    DWORD moved = 0;
    long result = Complete(device_, pending, started, &moved, kInfiniteMs);
    *readCount = moved;
    return result;
}

uint32_t CSerial::ClearLineErrors() {
    DWORD errors = 0;
    if (!IsOpen() || !ClearCommError(device_, &errors, nullptr)) return 0;
    // The driver's error flags are the terminal's line error flags.
    const uint32_t lineErrors = (errors & kLineErrorFlags) | unreportedErrors_.exchange(0);
    if (lineErrors & CE_BREAK) NoteEvents(serial_event::kBreak);
    if (lineErrors & ~uint32_t(CE_BREAK)) NoteEvents(serial_event::kLineError);
    return lineErrors;
}

}  // namespace zel
