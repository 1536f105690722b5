#pragma once
// In-memory stand-ins for the window system, the settings store, the transports and the clock.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "services/settings_store.h"
#include "services/window_system.h"
#include "terminal/update_launcher.h"
#include "transport/serial_port.h"
#include "transport/system_clock.h"
#include "transport/udp_socket.h"
#include "transport/usb_link.h"

namespace zel::test {

class FakeWindowSystem : public IWindowSystem {
  public:
    struct Shown {
        std::string text, caption;
        MessageButtons buttons;
        MessageIcon icon;
    };
    struct Timer {
        unsigned periodMs;
        std::function<void()> onTick;
    };

    MessageAnswer MessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    void SetTimer(int id, unsigned periodMs, std::function<void()> onTick) override;
    void KillTimer(int id) override { timers.erase(id); }
    void PostToGui(std::function<void()> work) override { posted.push_back(std::move(work)); }

    // Runs the posted work, including work posted while running.
    void RunPosted();
    void Tick(int id);

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;  // given in order; then Ok, or No for questions
    std::map<int, Timer> timers;
    std::deque<std::function<void()>> posted;
};

class FakeSettingsStore : public ISettingsStore {
  public:
    std::unique_ptr<ISettingsKey> OpenForRead() override;
    std::unique_ptr<ISettingsKey> OpenOrCreateForWrite() override;

    void SetText(const std::string& name, const std::string& text) { values[name] = text; }
    void SetNumber(const std::string& name, uint32_t value);
    std::optional<uint32_t> Number(const std::string& name) const;

    bool keyExists = false;
    bool writable = true;
    std::map<std::string, std::string> values;  // stored bytes
};

class FakeSerialPort : public ISerialPort {
  public:
    std::vector<std::string> CandidatePorts() override { return candidates; }
    ProbeResult ProbePort(const std::string& name) override;
    bool IsOpen() const override { return !openName.empty(); }
    long OpenForWindow(const std::string& name, EventHandler onEvent) override;
    long ConfigureLine(uint32_t baudRate, int dataBits, int parity, int stopBits) override;
    long CloseLine() override;
    int SendEscapedText(std::string_view text) override;
    long ReadBytes(char* buffer, size_t size, size_t* readCount) override;

    // Bytes the device sends; the test then raises the event.
    void Receive(const std::string& bytes) { incoming += bytes; }
    void RaiseEvent(uint32_t bits) { handler(bits); }

    std::vector<std::string> candidates{"COM1", "COM2"};
    std::map<std::string, ProbeResult> probe;  // ports not listed are missing
    std::string openName;
    uint32_t baudRate = 0;
    std::vector<std::string> written;  // one entry per SendEscapedText, markers as given
    std::vector<std::string> events;   // "open COM1", "close", ... in order
    std::string incoming;
    size_t readCalls = 0;
    EventHandler handler;
};

class FakeUdpSocket : public IUdpSocket {
  public:
    struct Sent {
        std::string text, host;
        uint32_t port;
        bool zelnet;
    };
    bool OpenPort(uint32_t localPort, bool unwrapZelnet, DatagramHandler onDatagram) override;
    void Close() override;
    bool IsOpen() const override { return open; }
    bool SendText(std::string_view text, const std::string& host, uint32_t port) override;
    bool SendZelnetFrame(std::string_view text, const std::string& host, uint32_t port) override;

    bool bindable = true;
    uint32_t heldPort = 0;  // a local port another program holds
    std::string OpenFailure() const override { return "is in use by another program"; }
    bool open = false;
    uint32_t boundPort = 0;
    std::vector<Sent> sent;
    std::vector<std::string> events;  // "open 2639", "close"
    DatagramHandler handler;
};

class FakeUsbLink : public IUsbLink {
  public:
    bool IsOpen() const override { return open; }
    bool OpenDevice() override;
    bool WriteData(std::string_view bytes, size_t* written) override;
    bool ReadData(std::string& reply, size_t bufferSize, int attempts) override;
    void CloseDevice() override { open = false; }

    bool present = true;
    int failWrites = 0;  // the next this many writes fail
    std::optional<std::string> replyBytes;
    bool open = false;
    int opens = 0;
    std::vector<std::string> written;
};

class FakeClock : public ISystemClock {
  public:
    LocalTime Now() override { return now; }
    TimeZoneRecord TimeZone() override { return zone; }
    LocalTime now{2026, 3, 7, 14, 5, 9};
    TimeZoneRecord zone;
};

class FakeUpdateLauncher : public IUpdateLauncher {
  public:
    bool ProgramsPresent() override { return present; }
    std::string Folder() const override { return "/opt/zelterm/updater"; }
    std::optional<int> RunChecker(int timeoutMs) override;
    bool StartUpdater() override {
        ++updaterStarts;
        return true;
    }

    bool present = true;
    std::optional<int> exitCode;
    int checkerRuns = 0, lastTimeoutMs = 0, updaterStarts = 0;
};

}  // namespace zel::test
