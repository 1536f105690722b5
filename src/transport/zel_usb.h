#pragma once
// The products' USB link: the device interface named by the products' GUID, one bulk OUT pipe for
// commands and one bulk IN pipe whose packets carry the reply in 4-byte groups.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "transport/usb_device.h"
#include "transport/usb_link.h"

namespace zel {

inline constexpr std::string_view kZelUsbInterfaceGuid = "{CC983552-CB24-44AE-AA66-D2C9A48E7252}";

class CZelUSB : public IUsbLink {
  public:
    // Called for each empty position of a reply packet; the device paces its replies by them.
    using Pause = std::function<void(std::chrono::milliseconds)>;

    explicit CZelUSB(std::unique_ptr<IUsbBackend> backend, Pause pause = SleepFor);
    ~CZelUSB() override;
    CZelUSB(const CZelUSB&) = delete;
    CZelUSB& operator=(const CZelUSB&) = delete;

    bool IsOpen() const override { return open_; }
    bool OpenDevice() override;
    bool AccessDenied() const override { return accessDenied_; }
    bool WriteData(std::string_view bytes, size_t* written) override;
    bool ReadData(std::string& reply, size_t bufferSize, int attempts) override;
    void CloseDevice() override;

    uint8_t Speed() const { return speed_; }
    uint8_t BulkInPipe() const { return bulkIn_.address; }
    uint8_t BulkOutPipe() const { return bulkOut_.address; }
    uint8_t SecondBulkOutPipe() const { return secondBulkOut_.address; }
    uint8_t InterruptPipe() const { return interrupt_.address; }

  private:
    static void SleepFor(std::chrono::milliseconds duration);

    bool RecordEndpoints(uint8_t interfaceNumber);
    void Drain();
    // One attempt: reads one packet and appends its data bytes, keeping within bufferSize.
    bool ReadPacket(std::string& reply, size_t bufferSize);
    std::string NextPacket();

    std::unique_ptr<IUsbBackend> backend_;
    Pause pause_;
    std::unique_ptr<IUsbDevice> device_;
    bool open_ = false;
    bool accessDenied_ = false;
    uint8_t speed_ = 0;
    UsbEndpoint bulkIn_, bulkOut_, secondBulkOut_, interrupt_;
    // Bytes the device sent beyond one packet's worth, read because the library reads in whole
    // max-size packets.
    std::string pendingIn_;
};

}  // namespace zel
