// The Network tab as an operator uses it: Get reads a setting, Set writes the field's value, on
// the jack or reproducer chosen, in the spelling of the product.
#include "pages/common/network_page.h"

#include <gtest/gtest.h>

#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;

const std::vector<std::string> kButtons = {
    "Networking/DHCP Enable", "Networking/IP Address", "Networking/Subnet Mask",
    "Networking/Gateway",     "Networking/Username",   "Networking/Password",
    "Networking/Device ID",
};

class NetworkPageTest : public ::testing::Test {
  protected:
    // Opens the page for a product as the sheet does: hand-over, then a new window.
    void Open(const std::string& product, bool setMode) {
        page.Destroy();
        ProductInfo* info = FindProduct(catalog, product);
        ASSERT_NE(info, nullptr) << product;
        page.SetProduct(info);
        page.Create();
        ASSERT_EQ(PressPath(page, setMode ? "Configuration/Set" : "Configuration/Get"),
                  ActionResult::Done);
    }
    const Control& At(const std::string& path) { return page.At(*page.Find(path)); }
    std::string Enabled(const std::string& suffix) {
        std::string states;
        for (const std::string& button : kButtons) {
            states += At(button + suffix).enabled ? '1' : '0';
        }
        return states;
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CNetworkTabDlg page{host};
};

struct Press {
    std::string product;
    bool setMode;
    std::string target;  // empty: leave the list as it opens
    std::string button;
    std::string value;  // typed into the button's field first, when not empty
    std::string sent;
};

TEST_F(NetworkPageTest, EveryButtonSendsItsCommandInTheProductsSpelling) {
    const Press presses[] = {
        // A product without a target list.
        {"Pellor", false, "", "DHCP Enable", "", "DH"},
        {"Pellor", false, "", "IP Address", "", "IP"},
        {"Pellor", false, "", "Subnet Mask", "", "SM"},
        {"Pellor", false, "", "Gateway", "", "GW"},
        {"Pellor", false, "", "Username", "", "US"},
        {"Pellor", false, "", "Device ID", "", "ID"},
        {"Pellor", true, "", "DHCP Enable", "", "1DH"},
        {"Pellor", true, "", "DHCP Enable", "Off", "0DH"},
        {"Pellor", true, "", "IP Address", "", "192.168.0.254IP"},
        {"Pellor", true, "", "Subnet Mask", "", "255.255.255.0SM"},
        {"Pellor", true, "", "Gateway", "", "192.168.0.1GW"},
        {"Pellor", true, "", "Username", "", "ovlanUS"},
        {"Pellor", true, "", "Password", "", "plumtreePW"},
        {"Pellor", true, "", "Device ID", "5", "5ID"},
        {"Pellor", true, "", "Device ID", "126", "126ID"},
        {"Pellor", true, "", "IP Address", "010.000.000.005", "10.0.0.5IP"},
        // Two jacks: every setting but the device id names its jack.
        {"Korvex", false, "", "IP Address", "", "AIP"},
        {"Korvex", false, "B", "DHCP Enable", "", "BDH"},
        {"Korvex", false, "B", "IP Address", "", "BIP"},
        {"Korvex", false, "B", "Subnet Mask", "", "BSM"},
        {"Korvex", false, "B", "Gateway", "", "BGW"},
        {"Korvex", false, "B", "Username", "", "BUS"},
        {"Korvex", false, "B", "Device ID", "", "ID"},
        {"Korvex", true, "B", "DHCP Enable", "On", "1BDH"},
        {"Korvex", true, "B", "IP Address", "10.0.0.5", "10.0.0.5BIP"},
        {"Korvex", true, "B", "Subnet Mask", "255.0.0.0", "255.0.0.0BSM"},
        {"Korvex", true, "A", "Gateway", "", "192.168.0.1AGW"},
        {"Korvex", true, "B", "Username", "op", "opBUS"},
        {"Korvex", true, "B", "Password", "pw", "pwBPW"},
        {"Korvex", true, "B", "Device ID", "0", "0ID"},
        // Reproducer addressing: the addresses name the reproducer, the controller needs none.
        {"A/V Reelmast HD", false, "", "IP Address", "", "IP"},
        {"A/V Reelmast HD", false, "Reproducer 3", "IP Address", "", "R03IP"},
        {"A/V Reelmast HD", false, "Reproducer 8", "Subnet Mask", "", "R08SM"},
        {"A/V Reelmast HD", true, "Reproducer 3", "Gateway", "192.168.0.1", "192.168.0.1R03GW"},
        {"A/V Reelmast HD", true, "Reproducer 1", "IP Address", "10.0.0.9", "10.0.0.9R01IP"},
        {"A/V Reelmast HD", true, "Controller", "Gateway", "10.0.0.1", "10.0.0.1GW"},
        // The Netwick's keyword commands.
        {"Netwick", false, "", "IP Address", "", "?IP"},
        {"Netwick", false, "", "Subnet Mask", "", "?SUB"},
        {"Netwick", false, "", "Gateway", "", "?GW"},
        {"Netwick", false, "", "Username", "", "?USERPASS"},
        {"Netwick", true, "", "IP Address", "", "192.168.0.254SETIP"},
        {"Netwick", true, "", "Subnet Mask", "", "255.255.255.0SETSUB"},
        {"Netwick", true, "", "Gateway", "", "192.168.0.1SETGW"},
        {"Netwick", true, "", "Username", "", "ovlanSETUSER"},
        {"Netwick", true, "", "Password", "", "plumtreeSETPASS"},
        {"Quelm", true, "", "Device ID", "17", "17ID"},
    };
    for (const Press& press : presses) {
        SCOPED_TRACE(press.product + (press.setMode ? " Set " : " Get ") + press.button);
        Open(press.product, press.setMode);
        if (!press.target.empty()) {
            ASSERT_EQ(SetPath(page, "Configuration/Ethernet Jack", press.target),
                      ActionResult::Done);
        }
        if (!press.value.empty()) {
            ASSERT_EQ(SetPath(page, "Networking/" + press.button + "/value", press.value),
                      ActionResult::Done);
        }
        host.sent.clear();
        ASSERT_EQ(PressPath(page, "Networking/" + press.button), ActionResult::Done);
        EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{press.sent, true}}));
        EXPECT_TRUE(host.Messages().empty());
    }
}

struct Enabling {
    std::string product;
    bool setMode;
    std::string buttons, fields;       // one digit per row, DHCP Enable to Device ID
    std::vector<std::string> targets;  // empty: the target list is hidden
};

TEST_F(NetworkPageTest, ButtonsFollowTheCapabilitiesAndFieldsTheSetChoice) {
    const std::vector<std::string> jacks = {"A", "B"};
    const std::vector<std::string> reproducers = {"Controller",   "Reproducer 1", "Reproducer 2",
                                                  "Reproducer 3", "Reproducer 4", "Reproducer 5",
                                                  "Reproducer 6", "Reproducer 7", "Reproducer 8"};
    const Enabling cases[] = {
        {"Korvex", false, "1111101", "0000000", jacks},
        {"Korvex", true, "1111111", "1111111", jacks},
        {"GlimraPro", true, "1111110", "1111110", jacks},
        {"Pellor", true, "1111111", "1111111", {}},
        {"A/V Reelmast HD", false, "0111000", "0000000", reproducers},
        {"A/V Reelmast HD", true, "0111000", "0111000", reproducers},
        {"Digital Reelmast HD", true, "0111000", "0111000", {}},
        {"Netwick", false, "0111100", "0000000", {}},
        {"Netwick", true, "0111110", "0111110", {}},
        {"Quelm", false, "0111001", "0000000", {}},
        {"Quelm", true, "0111011", "0111011", {}},
        {"Glimra", false, "0000000", "0000000", {}},
        {"Glimra", true, "0000000", "0000000", {}},
    };
    for (const Enabling& c : cases) {
        SCOPED_TRACE(c.product + (c.setMode ? " Set" : " Get"));
        Open(c.product, c.setMode);
        EXPECT_EQ(Enabled(""), c.buttons);
        EXPECT_EQ(Enabled("/value"), c.fields);
        const Control& target = At("Configuration/Ethernet Jack");
        EXPECT_EQ(target.visible, !c.targets.empty());
        EXPECT_EQ(At("Configuration/Ethernet Jack/label").visible, !c.targets.empty());
        if (!c.targets.empty()) {
            EXPECT_EQ(target.choices, c.targets);
            EXPECT_EQ(target.selected, 0);
        }
    }
}

TEST_F(NetworkPageTest, PasswordCannotBePressedWhileGetIsChosen) {
    Open("Korvex", false);
    EXPECT_EQ(PressPath(page, "Networking/Password"), ActionResult::Disabled);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(NetworkPageTest, TheFieldsStartOverEachTimeTheWindowOpens) {
    Open("Korvex", true);
    SetPath(page, "Networking/IP Address/value", "10.0.0.5");
    SetPath(page, "Networking/Subnet Mask/value", "255.0.0.0");
    SetPath(page, "Networking/Gateway/value", "10.0.0.1");
    SetPath(page, "Networking/DHCP Enable/value", "Off");
    SetPath(page, "Networking/Username/value", "x");
    SetPath(page, "Networking/Password/value", "y");
    SetPath(page, "Configuration/Ethernet Jack", "B");
    Open("Korvel", true);
    EXPECT_EQ(At("Networking/IP Address/value").text, "192.168.0.254");
    EXPECT_EQ(At("Networking/Subnet Mask/value").text, "255.255.255.0");
    EXPECT_EQ(At("Networking/Gateway/value").text, "192.168.0.1");
    EXPECT_EQ(page.At(*page.Find("Networking/DHCP Enable/value")).selected, 0);
    EXPECT_EQ(At("Networking/Username/value").text, "ovlan");
    EXPECT_EQ(At("Networking/Password/value").text, "plumtree");
    EXPECT_EQ(At("Configuration/Ethernet Jack").selected, 0);
}

TEST_F(NetworkPageTest, RefusedEntriesSayWhyAndSendNothing) {
    struct Refusal {
        std::string path, value, message;
    };
    const std::string addressMessage =
        "Please enter an IP address: four numbers from 0 to 255 separated by dots.";
    const Refusal refusals[] = {
        {"Networking/Device ID/value", "127", "Please enter an integer between 0 and 126."},
        {"Networking/Device ID/value", "-1", "Please enter an integer between 0 and 126."},
        {"Networking/Device ID/value", "five", "Please enter an integer."},
        {"Networking/IP Address/value", "192.168.0.256", addressMessage},
        {"Networking/IP Address/value", "192.168.0", addressMessage},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.value);
        Open("Pellor", true);
        ASSERT_EQ(SetPath(page, "Networking/Device ID/value", "0"), ActionResult::Done);
        ASSERT_EQ(SetPath(page, r.path, r.value), ActionResult::Done);
        host.window.shown.clear();
        host.sent.clear();
        // The button of the refused field itself.
        PressPath(page, r.path.substr(0, r.path.size() - std::string("/value").size()));
        EXPECT_EQ(host.Messages(), std::vector<std::string>{r.message});
        EXPECT_TRUE(host.sent.empty());
    }
}

}  // namespace
}  // namespace zel
