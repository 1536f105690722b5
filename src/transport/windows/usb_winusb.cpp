#include "transport/windows/usb_winusb.h"

#include <setupapi.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

#include "transport/windows/system_usb_backend.h"

namespace zel {

namespace {

// The pipe types in the order of the transport's endpoint types.
UsbEndpointType TypeOf(USBD_PIPE_TYPE type) {
    switch (type) {
        case UsbdPipeTypeControl:
            return UsbEndpointType::Control;
        case UsbdPipeTypeIsochronous:
            return UsbEndpointType::Isochronous;
        case UsbdPipeTypeBulk:
            return UsbEndpointType::Bulk;
        default:
            return UsbEndpointType::Interrupt;
    }
}

class WinUsbDevice : public IUsbDevice {
  public:
    WinUsbDevice(std::shared_ptr<const WinUsbCalls> calls, HANDLE file, WINUSB_INTERFACE_HANDLE usb)
        : calls_(std::move(calls)), file_(file), usb_(usb) {}
    ~WinUsbDevice() override {
        calls_->free(usb_);
        calls_->closeDevice(file_);
    }
    WinUsbDevice(const WinUsbDevice&) = delete;
    WinUsbDevice& operator=(const WinUsbDevice&) = delete;

    std::optional<uint8_t> InterfaceNumber() {
        USB_INTERFACE_DESCRIPTOR setting{};
        if (!calls_->interfaceSettings(usb_, 0, &setting)) return std::nullopt;
        return setting.bInterfaceNumber;
    }

    std::optional<std::vector<uint8_t>> ControlIn(const UsbControlSetup& setup,
                                                  unsigned /*timeoutMs*/) override {
        WINUSB_SETUP_PACKET packet{setup.requestType, setup.request, setup.value, setup.index,
                                   setup.length};
        std::vector<uint8_t> answer(setup.length);
        ULONG received = 0;
        if (!calls_->controlTransfer(usb_, packet, answer.data(), ULONG(answer.size()), &received))
            return std::nullopt;
        answer.resize(received);
        return answer;
    }

    // WinUSB opened the interface the system matched to the GUID: that one is ours already.
    bool ClaimInterface(uint8_t number) override { return InterfaceNumber() == number; }

    std::vector<UsbEndpoint> Endpoints(uint8_t interfaceNumber) override {
        USB_INTERFACE_DESCRIPTOR setting{};
        if (!calls_->interfaceSettings(usb_, 0, &setting) ||
            setting.bInterfaceNumber != interfaceNumber)
            return {};
        std::vector<UsbEndpoint> endpoints;
        for (UCHAR index = 0; index < setting.bNumEndpoints; ++index) {
            WINUSB_PIPE_INFORMATION pipe{};
            if (!calls_->queryPipe(usb_, 0, index, &pipe)) return {};
            endpoints.push_back(
                {pipe.PipeId, TypeOf(pipe.PipeType), uint16_t(pipe.MaximumPacketSize & 0x07FF)});
        }
        return endpoints;
    }

    uint8_t Speed() override {
        UCHAR speed = 0;
        ULONG length = sizeof speed;
        return calls_->deviceInformation(usb_, DEVICE_SPEED, &length, &speed) ? speed : 0;
    }

    bool Transfer(const UsbEndpoint& endpoint, uint8_t* data, size_t length, size_t& transferred,
                  unsigned timeoutMs) override {
        transferred = 0;
        if (!SetTimeout(endpoint.address, timeoutMs)) return false;
        ULONG moved = 0;
        const auto& run = endpoint.IsIn() ? calls_->readPipe : calls_->writePipe;
        const BOOL done = run(usb_, endpoint.address, data, ULONG(length), &moved);
        transferred = moved;
        return done;
    }

  private:
    // The pipe's time-out is a policy of the pipe: set when it changes.
    bool SetTimeout(uint8_t pipe, unsigned timeoutMs) {
        auto known = timeouts_.find(pipe);
        if (known != timeouts_.end() && known->second == timeoutMs) return true;
        ULONG value = timeoutMs;
        if (!calls_->setPipePolicy(usb_, pipe, PIPE_TRANSFER_TIMEOUT, sizeof value, &value))
            return false;
        timeouts_[pipe] = timeoutMs;
        return true;
    }

    std::shared_ptr<const WinUsbCalls> calls_;
    HANDLE file_;
    WINUSB_INTERFACE_HANDLE usb_;
    std::map<uint8_t, unsigned> timeouts_;
};

class WinUsbBackend : public IUsbBackend {
  public:
    explicit WinUsbBackend(WinUsbCalls calls)
        : calls_(std::make_shared<const WinUsbCalls>(std::move(calls))) {}

    // Every device is offered only through the interface the system matched to a GUID.
    std::vector<std::unique_ptr<IUsbDevice>> OpenPresentDevices() override { return {}; }
    size_t DevicesDenied() const override { return denied_; }

    std::optional<FoundUsbInterface> FindInterface(std::string_view guid) override {
        denied_ = 0;
        auto interfaceClass = ParseGuid(guid);
        if (!interfaceClass) return std::nullopt;
        for (const std::wstring& path : calls_->presentDevices(*interfaceClass)) {
            HANDLE file = calls_->openDevice(path);
            if (file == INVALID_HANDLE_VALUE) {
                // Held by another program: the product may be this one.
                if (GetLastError() == ERROR_ACCESS_DENIED) ++denied_;
                continue;
            }
            WINUSB_INTERFACE_HANDLE usb = nullptr;
            if (!calls_->initialize(file, &usb)) {
                calls_->closeDevice(file);
                continue;
            }
            auto device = std::make_unique<WinUsbDevice>(calls_, file, usb);
            if (auto number = device->InterfaceNumber())
                return FoundUsbInterface{std::move(device), *number};
        }
        return std::nullopt;
    }

  private:
    std::shared_ptr<const WinUsbCalls> calls_;
    size_t denied_ = 0;
};

std::vector<std::wstring> PresentDevicePaths(const GUID& interfaceClass) {
    std::vector<std::wstring> paths;
    HDEVINFO devices = SetupDiGetClassDevsW(&interfaceClass, nullptr, nullptr,
                                            DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) return paths;
    SP_DEVICE_INTERFACE_DATA interface {};
    interface.cbSize = sizeof interface;
    for (DWORD index = 0;
         SetupDiEnumDeviceInterfaces(devices, nullptr, &interfaceClass, index, &interface);
         ++index) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(devices, &interface, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
        std::vector<BYTE> buffer(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (SetupDiGetDeviceInterfaceDetailW(devices, &interface, detail, size, nullptr, nullptr))
            paths.emplace_back(detail->DevicePath);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return paths;
}

}  // namespace

std::optional<GUID> ParseGuid(std::string_view text) {
    unsigned long data1 = 0;
    unsigned data2 = 0, data3 = 0, bytes[8] = {};
    int length = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "{%8lx-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &data1, &data2,
                    &data3, &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4], &bytes[5],
                    &bytes[6], &bytes[7], &length) != 11 ||
        size_t(length) != copy.size() || copy.size() != 38)
        return std::nullopt;
    GUID guid{data1, uint16_t(data2), uint16_t(data3), {}};
    for (int i = 0; i < 8; ++i) guid.Data4[i] = uint8_t(bytes[i]);
    return guid;
}

WinUsbCalls SystemWinUsbCalls() {
    return {
        PresentDevicePaths,
        [](const std::wstring& path) {
            return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
        },
        [](HANDLE file) { CloseHandle(file); },
        WinUsb_Initialize,
        WinUsb_Free,
        WinUsb_QueryInterfaceSettings,
        WinUsb_QueryPipe,
        WinUsb_QueryDeviceInformation,
        WinUsb_SetPipePolicy,
        [](WINUSB_INTERFACE_HANDLE usb, UCHAR pipe, PUCHAR data, ULONG length, PULONG moved) {
            return WinUsb_ReadPipe(usb, pipe, data, length, moved, nullptr);
        },
        [](WINUSB_INTERFACE_HANDLE usb, UCHAR pipe, PUCHAR data, ULONG length, PULONG moved) {
            return WinUsb_WritePipe(usb, pipe, data, length, moved, nullptr);
        },
        [](WINUSB_INTERFACE_HANDLE usb, WINUSB_SETUP_PACKET setup, PUCHAR data, ULONG length,
           PULONG moved) {
            return WinUsb_ControlTransfer(usb, setup, data, length, moved, nullptr);
        },
    };
}

std::unique_ptr<IUsbBackend> MakeWinUsbBackend(WinUsbCalls calls) {
    return std::make_unique<WinUsbBackend>(std::move(calls));
}

}  // namespace zel

namespace zel {

std::unique_ptr<IUsbBackend> MakeSystemWinUsbBackend() {
    return MakeWinUsbBackend();
}

}  // namespace zel
