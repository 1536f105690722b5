#pragma once
// The terminal's serial port: the listener hands every line event to the GUI thread, where the
// handler given at open runs. After CloseLine returns no handler call happens, even for events
// already on their way; when the device hangs up the port closes itself there.
// One handler call reads at most kBytesPerDelivery: reads beyond it come back short (or empty)
// and the rest is announced anew, so a flooding device cannot hold the event loop.
#include <cstddef>
#include <memory>

#include "base/gui_thread.h"
#include "transport/serial_listener.h"
#include "transport/serial_port.h"

namespace zel {

class CSerialWnd : public CSerialEx, public ISerialPort {
  public:
    static constexpr size_t kBytesPerDelivery = 64 * 1024;

    explicit CSerialWnd(IGuiThread& guiThread);
    ~CSerialWnd() override;

    std::vector<std::string> CandidatePorts() override;
    ProbeResult ProbePort(const std::string& name) override;
    bool IsOpen() const override;
    long OpenForWindow(const std::string& name, EventHandler onEvent) override;
    std::string DescribeError(long code) const override;
    long ConfigureLine(uint32_t baudRate, int dataBits, int parity, int stopBits) override;
    long CloseLine() override;
    int SendEscapedText(std::string_view text) override;
    using CSerial::ReadBytes;
    long ReadBytes(char* buffer, size_t size, size_t* readCount) override;

  protected:
    void OnPortEvent(uint32_t eventType, uint32_t lineErrors) override;
    void OnDeviceLost() override;

  private:
    // One per opening; work posted to the GUI thread holds it weakly and does nothing once the
    // port has closed (or reopened).
    struct Delivery;
    // A plain "bytes received" is not posted while one is still waiting for the GUI thread.
    void Post(const std::shared_ptr<Delivery>& delivery, uint32_t eventAndErrors);

    IGuiThread& guiThread_;
    std::shared_ptr<Delivery> delivery_;
};

}  // namespace zel
