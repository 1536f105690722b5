#include "transport/usb_libusb.h"

#include <libusb.h>

#include <algorithm>
#include <array>
#include <utility>

namespace zel {
namespace {

using Context = std::shared_ptr<libusb_context>;

constexpr std::array<UsbEndpointType, 4> kEndpointTypes{
    UsbEndpointType::Control, UsbEndpointType::Isochronous, UsbEndpointType::Bulk,
    UsbEndpointType::Interrupt};

class LibusbDevice : public IUsbDevice {
  public:
    // The device holds the context so that the library outlives every open handle.
    LibusbDevice(Context context, libusb_device_handle* handle)
        : context_(std::move(context)), handle_(handle) {}
    ~LibusbDevice() override {
        if (claimed_) libusb_release_interface(handle_, *claimed_);
        libusb_close(handle_);
    }
    LibusbDevice(const LibusbDevice&) = delete;
    LibusbDevice& operator=(const LibusbDevice&) = delete;

    std::optional<std::vector<uint8_t>> ControlIn(const UsbControlSetup& setup,
                                                  unsigned timeoutMs) override {
        std::vector<uint8_t> answer(setup.length);
        const int received =
            libusb_control_transfer(handle_, setup.requestType, setup.request, setup.value,
                                    setup.index, answer.data(), setup.length, timeoutMs);
        if (received < 0) return std::nullopt;
        answer.resize(size_t(received));
        return answer;
    }

    bool ClaimInterface(uint8_t number) override {
        // A kernel driver bound to the interface would refuse the claim; it comes back on release.
        libusb_set_auto_detach_kernel_driver(handle_, 1);
        if (libusb_claim_interface(handle_, number) != LIBUSB_SUCCESS) return false;
        claimed_ = number;
        return true;
    }

    std::vector<UsbEndpoint> Endpoints(uint8_t interfaceNumber) override {
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_active_config_descriptor(libusb_get_device(handle_), &config) !=
            LIBUSB_SUCCESS) {
            return {};
        }
        std::vector<UsbEndpoint> endpoints;
        for (int i = 0; i < config->bNumInterfaces; ++i) {
            const libusb_interface& interface = config->interface[i];
            if (interface.num_altsetting == 0 ||
                interface.altsetting[0].bInterfaceNumber != interfaceNumber) {
                continue;
            }
            const libusb_interface_descriptor& setting = interface.altsetting[0];
            for (int e = 0; e < setting.bNumEndpoints; ++e) {
                const libusb_endpoint_descriptor& endpoint = setting.endpoint[e];
                endpoints.push_back(
                    {endpoint.bEndpointAddress,
                     kEndpointTypes[endpoint.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK],
                     uint16_t(endpoint.wMaxPacketSize & 0x07FF)});
            }
        }
        libusb_free_config_descriptor(config);
        return endpoints;
    }

    uint8_t Speed() override {
        return uint8_t(libusb_get_device_speed(libusb_get_device(handle_)));
    }

    bool Transfer(const UsbEndpoint& endpoint, uint8_t* data, size_t length, size_t& transferred,
                  unsigned timeoutMs) override {
        const auto run = endpoint.type == UsbEndpointType::Interrupt ? libusb_interrupt_transfer
                                                                     : libusb_bulk_transfer;
        int moved = 0;
        const int result = run(handle_, endpoint.address, data, int(length), &moved, timeoutMs);
        transferred = size_t(moved);
        return result == LIBUSB_SUCCESS;
    }

  private:
    Context context_;
    libusb_device_handle* handle_;
    std::optional<int> claimed_;
};

class LibusbBackend : public IUsbBackend {
  public:
    std::vector<std::unique_ptr<IUsbDevice>> OpenPresentDevices() override {
        std::vector<std::unique_ptr<IUsbDevice>> devices;
        if (!context_ && !Start()) return devices;
        libusb_device** list = nullptr;
        const ssize_t count = libusb_get_device_list(context_.get(), &list);
        std::vector<libusb_device*> present(list, list + std::max<ssize_t>(count, 0));
        // The library lists devices in no promised order; the first one found must not change
        // from one search to the next.
        std::ranges::sort(present, {}, [](libusb_device* device) {
            return std::pair(libusb_get_bus_number(device), libusb_get_device_address(device));
        });
        denied_ = 0;
        for (libusb_device* device : present) {
            libusb_device_handle* handle = nullptr;
            // Devices this user may not open (no access rule installed) are not candidates,
            // but counted: the product may be among them. Hubs never are.
            const int opened = libusb_open(device, &handle);
            if (opened == LIBUSB_SUCCESS) {
                devices.push_back(std::make_unique<LibusbDevice>(context_, handle));
            } else if (opened == LIBUSB_ERROR_ACCESS && !IsHub(device)) {
                ++denied_;
            }
        }
        if (count >= 0) libusb_free_device_list(list, 1);
        return devices;
    }

    size_t DevicesDenied() const override { return denied_; }

  private:
    static bool IsHub(libusb_device* device) {
        libusb_device_descriptor descriptor{};
        return libusb_get_device_descriptor(device, &descriptor) == LIBUSB_SUCCESS &&
               descriptor.bDeviceClass == LIBUSB_CLASS_HUB;
    }

    // Retried on each search: without a USB subsystem at start-up there is none to open yet.
    bool Start() {
        libusb_context* context = nullptr;
        if (libusb_init(&context) != LIBUSB_SUCCESS) return false;
        context_ = Context(context, libusb_exit);
        return true;
    }

    Context context_;
    size_t denied_ = 0;
};

}  // namespace

std::unique_ptr<IUsbBackend> MakeLibusbBackend() {
    return std::make_unique<LibusbBackend>();
}

}  // namespace zel
