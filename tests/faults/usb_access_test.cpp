// USB sends with no product connected and with one this user may not open: the log says what is
// wrong and what fixes it, nothing crashes, and each send searches again.
#include <gtest/gtest.h>

#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"
#include "transport/zel_usb.h"

namespace zel {
namespace {

// The system's USB library as seen by a user without a matching access rule: the devices it may
// not open are counted and left out.
class DevicesOutOfReach : public IUsbBackend {
  public:
    explicit DevicesOutOfReach(size_t denied, int& searches)
        : denied_(denied), searches_(searches) {}
    std::vector<std::unique_ptr<IUsbDevice>> OpenPresentDevices() override {
        ++searches_;
        return {};
    }
    size_t DevicesDenied() const override { return denied_; }

  private:
    size_t denied_;
    int& searches_;
};

const std::string kInitFailed = "Error Init USB. Re-install drivers or re-connect device.\r\n";

struct UsbCase {
    const char* what;
    size_t denied;
    std::string log;  // for each send
};

// Named by what goes wrong, in test names and messages alike.
void PrintTo(const UsbCase& fault, std::ostream* out) {
    *out << fault.what;
}

class UsbAccessTest : public ::testing::TestWithParam<UsbCase> {};

TEST_P(UsbAccessTest, EachSendSearchesAgainAndSaysWhatIsWrong) {
    const UsbCase& fault = GetParam();
    int searches = 0;
    CZelUSB usb(std::make_unique<DevicesOutOfReach>(fault.denied, searches));
    test::FakeWindowSystem window;
    test::FakeSettingsStore store;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeClock clock;
    test::FakeUpdateLauncher updates;
    updates.present = false;
    store.keyExists = true;
    auto names = SortedProductNames(BuildCatalog());
    store.SetNumber("Product", std::find(names.begin(), names.end(), "Korvex") - names.begin());
    store.SetNumber("Connection", kUsb);
    store.SetText("Protocol", "Pioneer");
    CZelTermDlg terminal({window, store, serial, udp, usb, clock, updates});
    terminal.OnInitDialog({});
    ASSERT_EQ(terminal.Profile().connectionType, kUsb);
    const std::string greeting = terminal.Log().Text();

    terminal.SendCommand("?V", true);
    EXPECT_EQ(terminal.Log().Text(), greeting + fault.log);
    terminal.SendCommand("?V", true);
    EXPECT_EQ(terminal.Log().Text(), greeting + fault.log + fault.log);
    EXPECT_EQ(searches, 2);
    EXPECT_FALSE(usb.IsOpen());
    EXPECT_TRUE(window.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, UsbAccessTest,
                         ::testing::Values(UsbCase{"NoDevice", 0, kInitFailed},
                                           UsbCase{"NoPermission", 2,
                                                   kInitFailed + std::string(kUsbAccessDenied)}),
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace zel
