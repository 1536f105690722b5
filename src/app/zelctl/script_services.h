#pragma once
// What the terminal runs on under zelctl besides its real clock: a settings store it can read
// but never write, no update programs, and, when nothing may be sent, transports that open
// nothing and send nothing while acting as if all went well.
#include <map>
#include <memory>

#include "services/settings_store.h"
#include "terminal/update_launcher.h"
#include "transport/serial_port.h"
#include "transport/udp_socket.h"
#include "transport/usb_link.h"

namespace zel::ctl {

// Reads through to the terminal's store; every write finds no key, so nothing is ever saved.
class ReadOnlySettingsStore : public ISettingsStore {
  public:
    explicit ReadOnlySettingsStore(ISettingsStore& store) : store_(store) {}
    std::unique_ptr<ISettingsKey> OpenForRead() override { return store_.OpenForRead(); }
    std::unique_ptr<ISettingsKey> OpenOrCreateForWrite() override { return nullptr; }

  private:
    ISettingsStore& store_;
};

// Settings held in memory only: what a terminal of a rack run starts from.
class MemorySettingsStore : public ISettingsStore {
  public:
    std::unique_ptr<ISettingsKey> OpenForRead() override;
    std::unique_ptr<ISettingsKey> OpenOrCreateForWrite() override { return OpenForRead(); }

  private:
    std::map<std::string, std::string> values_;
};

// A script must never start other programs, so the update check finds none.
class NoUpdatePrograms : public IUpdateLauncher {
  public:
    bool ProgramsPresent() override { return false; }
    std::string Folder() const override { return {}; }
    std::optional<int> RunChecker(int) override { return std::nullopt; }
    bool StartUpdater() override { return false; }
};

class InertSerialPort : public ISerialPort {
  public:
    std::vector<std::string> CandidatePorts() override { return {}; }
    ProbeResult ProbePort(const std::string&) override { return ProbeResult::Available; }
    bool IsOpen() const override { return open_; }
    long OpenForWindow(const std::string&, EventHandler) override;
    long ConfigureLine(uint32_t, int, int, int) override { return 0; }
    long CloseLine() override;
    int SendEscapedText(std::string_view) override { return 0; }
    long ReadBytes(char*, size_t, size_t* readCount) override;

  private:
    bool open_ = false;
};

class InertUdpSocket : public IUdpSocket {
  public:
    bool OpenPort(uint32_t, bool, DatagramHandler) override { return open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool SendText(std::string_view, const std::string&, uint32_t) override { return true; }
    bool SendZelnetFrame(std::string_view, const std::string&, uint32_t) override { return true; }

  private:
    bool open_ = false;
};

class InertUsbLink : public IUsbLink {
  public:
    bool IsOpen() const override { return open_; }
    bool OpenDevice() override { return open_ = true; }
    bool WriteData(std::string_view bytes, size_t* written) override;
    bool ReadData(std::string&, size_t, int) override { return true; }
    void CloseDevice() override { open_ = false; }

  private:
    bool open_ = false;
};

}  // namespace zel::ctl
