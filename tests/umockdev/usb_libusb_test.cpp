// The libusb layer against USB devices emulated by umockdev: sysfs attributes and the descriptors
// file for enumeration, and an in-process handler for the usbdevfs requests that libusb makes.
// Runs under umockdev-wrapper, which routes the program's device accesses into the testbed.
#include "transport/usb_libusb.h"

#include <gtest/gtest.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "transport/usb_fixtures.h"
#include "transport/zel_usb.h"

namespace zel::test {
namespace {

constexpr std::string_view kGuid = kZelUsbInterfaceGuid;

// Device descriptor (USB 2.1, so that a BOS may be asked for) and one configuration with the
// products' vendor interface: bulk IN 0x81 and bulk OUT 0x01, 64 bytes each.
const Bytes kDescriptors{0x12, 0x01, 0x10, 0x02, 0x00, 0x00, 0x00, 0x40, 0x50, 0x1D,
                         0x77, 0x61, 0x00, 0x01, 0x01, 0x02, 0x00, 0x01, 0x09, 0x02,
                         0x20, 0x00, 0x01, 0x01, 0x00, 0x80, 0x32, 0x09, 0x04, 0x00,
                         0x00, 0x02, 0xFF, 0x00, 0x00, 0x00, 0x07, 0x05, 0x81, 0x02,
                         0x40, 0x00, 0x00, 0x07, 0x05, 0x01, 0x02, 0x40, 0x00, 0x00};

// Answers usbdevfs requests from a control model; bulk IN reads take queued replies and otherwise
// end at once without data. Called on the testbed's worker thread.
class EmulatedUsbDevice {
  public:
    explicit EmulatedUsbDevice(UsbControlModel control) : control_(std::move(control)) {}
    ~EmulatedUsbDevice() {
        for (UMockdevIoctlData* urb : reapable_) g_object_unref(urb);
    }

    void QueueReply(Bytes packet) {
        std::lock_guard lock(mutex_);
        replies_.push_back(std::move(packet));
    }
    std::vector<Bytes> Written() {
        std::lock_guard lock(mutex_);
        return written_;
    }
    bool Claimed() {
        std::lock_guard lock(mutex_);
        return claimed_;
    }

    bool Handle(UMockdevIoctlClient* client) {
        std::lock_guard lock(mutex_);
        UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
        switch (umockdev_ioctl_client_get_request(client)) {
            case USBDEVFS_GET_CAPABILITIES: {
                const uint32_t caps = USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_ZERO_PACKET |
                                      USBDEVFS_CAP_NO_PACKET_SIZE_LIM;
                UMockdevIoctlData* out = umockdev_ioctl_data_resolve(arg, 0, sizeof caps, nullptr);
                std::memcpy(out->data, &caps, sizeof caps);
                return Complete(client, 0, 0);
            }
            case USBDEVFS_CLAIMINTERFACE:
                claimed_ = true;
                return Complete(client, 0, 0);
            case USBDEVFS_RELEASEINTERFACE:
                claimed_ = false;
                return Complete(client, 0, 0);
            case USBDEVFS_GETDRIVER:
            case USBDEVFS_IOCTL:
                return Complete(client, -1, ENODATA);  // no kernel driver is bound
            case USBDEVFS_SUBMITURB:
                Submit(arg);
                return Complete(client, 0, 0);
            case USBDEVFS_REAPURB:
            case USBDEVFS_REAPURBNDELAY:
                return Reap(client, arg);
            default:
                return Complete(client, -1, ENOTTY);
        }
    }

  private:
    static bool Complete(UMockdevIoctlClient* client, long result, int error) {
        umockdev_ioctl_client_complete(client, result, error);
        return true;
    }

    // The request is done at once; its results reach the caller when it is reaped.
    void Submit(UMockdevIoctlData* arg) {
        UMockdevIoctlData* urbData =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
        // A zero-length packet has no buffer to resolve.
        uint8_t* buffer = urb->buffer_length == 0
                              ? nullptr
                              : umockdev_ioctl_data_resolve(urbData, offsetof(usbdevfs_urb, buffer),
                                                            size_t(urb->buffer_length), nullptr)
                                    ->data;
        urb->status = 0;
        urb->actual_length = 0;
        if (urb->type == USBDEVFS_URB_TYPE_CONTROL) {
            const UsbControlSetup setup{buffer[0], buffer[1], uint16_t(buffer[2] | buffer[3] << 8),
                                        uint16_t(buffer[4] | buffer[5] << 8),
                                        uint16_t(buffer[6] | buffer[7] << 8)};
            const auto answer = control_.Respond(setup);
            if (answer) {
                std::memcpy(buffer + 8, answer->data(), answer->size());
                urb->actual_length = int(answer->size());
            } else {
                urb->status = -EPIPE;  // stall
            }
        } else if (urb->endpoint & 0x80) {
            if (!replies_.empty()) {
                const Bytes reply = replies_.front();
                replies_.pop_front();
                std::memcpy(buffer, reply.data(), reply.size());
                urb->actual_length = int(reply.size());
            }
        } else {
            written_.emplace_back(buffer, buffer + urb->buffer_length);
            urb->actual_length = urb->buffer_length;
        }
        g_object_ref(urbData);
        reapable_.push_back(urbData);
    }

    bool Reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
        if (reapable_.empty()) return Complete(client, -1, EAGAIN);
        UMockdevIoctlData* urbData = reapable_.front();
        reapable_.pop_front();
        // The argument points at the caller's variable that receives the request's address.
        UMockdevIoctlData* target = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
        umockdev_ioctl_data_set_ptr(target, 0, urbData);
        g_object_unref(urbData);
        return Complete(client, 0, 0);
    }

    std::mutex mutex_;
    UsbControlModel control_;
    std::deque<Bytes> replies_;
    std::vector<Bytes> written_;
    std::deque<UMockdevIoctlData*> reapable_;
    bool claimed_ = false;
};

// A handler class whose ioctl entry forwards to the EmulatedUsbDevice stored on the instance.
GType HandlerType() {
    static const GType type = g_type_register_static_simple(
        UMOCKDEV_TYPE_IOCTL_BASE, "ZelEmulatedUsbHandler", sizeof(UMockdevIoctlBaseClass),
        [](gpointer klass, gpointer) {
            UMOCKDEV_IOCTL_BASE_CLASS(klass)->handle_ioctl = [](UMockdevIoctlBase* self,
                                                                UMockdevIoctlClient* client) {
                auto* device =
                    static_cast<EmulatedUsbDevice*>(g_object_get_data(G_OBJECT(self), "device"));
                return gboolean(device->Handle(client));
            };
        },
        sizeof(UMockdevIoctlBase), nullptr, GTypeFlags(0));
    return type;
}

class LibusbOnUmockdev : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* preload = std::getenv("LD_PRELOAD");
        ASSERT_TRUE(preload && std::strstr(preload, "umockdev-preload"))
            << "run under umockdev-wrapper";
        testbed_ = umockdev_testbed_new();
    }
    void TearDown() override {
        for (UMockdevIoctlBase* handler : handlers_) g_object_unref(handler);
        if (testbed_) g_object_unref(testbed_);
    }

    EmulatedUsbDevice& AddDevice(UsbControlModel control) {
        const int number = int(devices_.size()) + 2;
        const std::string name = "1-" + std::to_string(number);
        const std::string devnum = std::to_string(number);
        char devnode[32];
        std::snprintf(devnode, sizeof devnode, "/dev/bus/usb/001/%03d", number);
        const std::string dev = "189:" + std::to_string(number - 1);
        gchar* sysPath = umockdev_testbed_add_device(
            testbed_, "usb", name.c_str(), nullptr, "busnum", "1\n", "devnum",
            (devnum + "\n").c_str(), "speed", "480\n", "bConfigurationValue", "1\n", "idVendor",
            "1d50\n", "idProduct", "6177\n", "dev", (dev + "\n").c_str(), nullptr, "DEVNAME",
            devnode, "DEVTYPE", "usb_device", "BUSNUM", "001", "DEVNUM", devnum.c_str(), nullptr);
        EXPECT_NE(sysPath, nullptr);
        Bytes descriptors = kDescriptors;  // the call takes no const data
        umockdev_testbed_set_attribute_binary(testbed_, sysPath, "descriptors", descriptors.data(),
                                              int(descriptors.size()));
        g_free(sysPath);

        // The testbed makes no node for the device; the handler answers the node's requests.
        const std::string node = std::string(umockdev_testbed_get_root_dir(testbed_)) + devnode;
        gchar* folder = g_path_get_dirname(node.c_str());
        g_mkdir_with_parents(folder, 0755);
        g_free(folder);
        EXPECT_TRUE(g_file_set_contents(node.c_str(), "", 0, nullptr));

        devices_.push_back(std::make_unique<EmulatedUsbDevice>(std::move(control)));
        auto* handler = static_cast<UMockdevIoctlBase*>(g_object_new(HandlerType(), nullptr));
        g_object_set_data(G_OBJECT(handler), "device", devices_.back().get());
        handlers_.push_back(handler);
        GError* error = nullptr;
        EXPECT_TRUE(umockdev_testbed_attach_ioctl(testbed_, devnode, handler, &error))
            << (error ? error->message : "");
        if (error) g_error_free(error);
        return *devices_.back();
    }

    UMockdevTestbed* testbed_ = nullptr;
    std::vector<std::unique_ptr<EmulatedUsbDevice>> devices_;
    std::vector<UMockdevIoctlBase*> handlers_;
};

CZelUSB MakeLink() {
    return CZelUSB(MakeLibusbBackend(), [](std::chrono::milliseconds) {});
}

TEST_F(LibusbOnUmockdev, NoDeviceFailsTheOpen) {
    auto usb = MakeLink();
    EXPECT_FALSE(usb.OpenDevice());
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(LibusbOnUmockdev, DeviceWithoutTheGuidIsNotUsed) {
    EmulatedUsbDevice& plain = AddDevice(DeviceWithoutOsDescriptors());
    EmulatedUsbDevice& other = AddDevice(DeviceWithOs20Guid(kOtherGuid));
    auto usb = MakeLink();
    EXPECT_FALSE(usb.OpenDevice());
    EXPECT_FALSE(plain.Claimed());
    EXPECT_FALSE(other.Claimed());
}

TEST_F(LibusbOnUmockdev, FindsTheProductByItsOs20SetAndExchangesACommand) {
    AddDevice(DeviceWithoutOsDescriptors());
    EmulatedUsbDevice& product = AddDevice(DeviceWithOs20Guid(kGuid));
    product.QueueReply({0x03, 'o', 'l', 'd'});  // left over from before: drained on opening
    auto usb = MakeLink();
    ASSERT_TRUE(usb.OpenDevice());
    EXPECT_TRUE(product.Claimed());
    EXPECT_EQ(usb.BulkInPipe(), 0x81);
    EXPECT_EQ(usb.BulkOutPipe(), 0x01);

    ASSERT_TRUE(usb.WriteData("?V\r", nullptr));
    EXPECT_EQ(product.Written(), (std::vector<Bytes>{{'?', 'V', '\r'}}));
    product.QueueReply({0x03, 0x4F, 0x4B, 0x0D, 0x00, 0x00, 0x00, 0x00});
    std::string reply;
    ASSERT_TRUE(usb.ReadData(reply, 1024, 20));
    EXPECT_EQ(reply, "OK\r");
    usb.CloseDevice();
    EXPECT_FALSE(product.Claimed());
}

TEST_F(LibusbOnUmockdev, FindsTheProductByItsOs10ExtendedProperties) {
    AddDevice(DeviceWithOs10Guid(kOtherGuid));
    EmulatedUsbDevice& product = AddDevice(DeviceWithOs10Guid(kGuid));
    auto usb = MakeLink();
    ASSERT_TRUE(usb.OpenDevice());
    EXPECT_TRUE(product.Claimed());
    ASSERT_TRUE(usb.WriteData(std::string(64, 'x'), nullptr));
    EXPECT_EQ(product.Written(), (std::vector<Bytes>{Bytes(64, 'x'), Bytes{}}));
}

TEST_F(LibusbOnUmockdev, TheFirstProductInBusOrderIsUsed) {
    EmulatedUsbDevice& first = AddDevice(DeviceWithOs10Guid(kGuid));
    EmulatedUsbDevice& second = AddDevice(DeviceWithOs20Guid(kGuid));
    auto usb = MakeLink();
    for (int open = 0; open < 2; ++open) {
        ASSERT_TRUE(usb.OpenDevice());
        EXPECT_TRUE(first.Claimed());
        EXPECT_FALSE(second.Claimed());
    }
}

}  // namespace
}  // namespace zel::test
