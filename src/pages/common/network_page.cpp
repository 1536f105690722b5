#include "pages/common/network_page.h"

#include <cstdio>
#include <optional>

#include "pages/common/address_field.h"
#include "pages/common/disabled_reasons.h"

namespace zel {

namespace {

constexpr uint32_t kNetwickIndex = 12;

enum class Field { OnOff, Address, Text, Integer };
enum class Target { None, Jack, JackAndReproducer };

struct NetworkSetting {
    const char* caption;
    bool Capabilities::*capability;
    Field field;
    const char* initial;  // restored each time the window opens; null to keep the operator's
    const char* code;     // every product but the Netwick, Get and Set alike
    const char* netwickSet;
    const char* netwickGet;
    Target target;
    bool readable;  // the password has no query of its own
};

const std::array<NetworkSetting, CNetworkTabDlg::kSettingCount> kSettings{{
    {"DHCP Enable", &Capabilities::dhcp, Field::OnOff, "On", "DH", "DH", "DH", Target::Jack, true},
    {"IP Address", &Capabilities::networkAddress, Field::Address, "192.168.0.254", "IP", "SETIP",
     "?IP", Target::JackAndReproducer, true},
    {"Subnet Mask", &Capabilities::networkAddress, Field::Address, "255.255.255.0", "SM", "SETSUB",
     "?SUB", Target::JackAndReproducer, true},
    {"Gateway", &Capabilities::networkAddress, Field::Address, "192.168.0.1", "GW", "SETGW", "?GW",
     Target::JackAndReproducer, true},
    {"Username", &Capabilities::userName, Field::Text, "ovlan", "US", "SETUSER", "?USERPASS",
     Target::Jack, true},
    {"Password", &Capabilities::password, Field::Text, "plumtree", "PW", "SETPASS", "?USERPASS",
     Target::Jack, false},
    {"Device ID", &Capabilities::deviceId, Field::Integer, nullptr, "ID", "ID", "ID", Target::None,
     true},
}};

constexpr std::pair<int64_t, int64_t> kDeviceIdRange{0, 126};

}  // namespace

CNetworkTabDlg::CNetworkTabDlg(IPageHost& host) : CPage(host, "Network") {
    Group("Configuration");
    RadioButton("Get", "mode", true);
    set_ = RadioButton("Set", "mode", false);
    Row();
    jackLabel_ = Label("Ethernet Jack");
    target_ = DropDownList({}, {});
    EndGroup();

    Group("Networking");
    for (size_t i = 0; i < kSettings.size(); ++i) {
        const NetworkSetting& setting = kSettings[i];
        Row();
        buttons_[i] = Button(setting.caption, [this, i] { OnSetting(i); });
        switch (setting.field) {
            case Field::OnOff:
                fields_[i] = DropDownList({}, {"On", "Off"});
                break;
            case Field::Address:
                fields_[i] = IpAddress({}, setting.initial);
                break;
            case Field::Text:
                fields_[i] = TextEdit({}, setting.initial);
                break;
            case Field::Integer:
                fields_[i] = IntegerEdit({}, 0, kDeviceIdRange);
                break;
        }
        auto reason = [this, &setting] {
            return Has(setting.capability) ? kNeedsSetMode : kNotOnThisProduct;
        };
        EnableWhen(
            buttons_[i],
            [this, &setting] {
                return Has(setting.capability) && (setting.readable || Checked(set_));
            },
            reason);
        EnableWhen(
            fields_[i], [this, &setting] { return Has(setting.capability) && Checked(set_); },
            reason);
    }
    EndGroup();

    auto targetShown = [this] {
        return Has(&Capabilities::secondJack) || Has(&Capabilities::reproducerAddressing);
    };
    ShowWhen(jackLabel_, targetShown);
    ShowWhen(target_, targetShown);
}

void CNetworkTabDlg::OnInitDialog() {
    for (size_t i = 0; i < kSettings.size(); ++i) {
        if (kSettings[i].field == Field::OnOff) {
            SelectText(fields_[i], kSettings[i].initial);
        } else if (kSettings[i].initial) {
            SetText(fields_[i], kSettings[i].initial);
        }
    }
    if (Has(&Capabilities::secondJack)) {
        SetChoices(target_, {"A", "B"});
    } else if (Has(&Capabilities::reproducerAddressing)) {
        std::vector<std::string> targets{"Controller"};
        for (int r = 1; r <= Product()->Caps().reproducerCount; ++r) {
            targets.push_back("Reproducer " + std::to_string(r));
        }
        SetChoices(target_, std::move(targets));
    }
}

bool CNetworkTabDlg::Has(bool Capabilities::*capability) const {
    return Product() && Product()->Caps().*capability;
}

// The jack letter, and before it the reproducer number, that name where a setting applies.
std::string CNetworkTabDlg::TargetPart(size_t setting) const {
    Target target = kSettings[setting].target;
    std::string part;
    if (target == Target::None) return part;
    if (Has(&Capabilities::secondJack)) part = Text(target_);
    if (target == Target::JackAndReproducer && Has(&Capabilities::reproducerAddressing) &&
        Text(target_) != "Controller") {
        char reproducer[16];
        std::snprintf(reproducer, sizeof reproducer, "R%02d", Selected(target_));
        part = reproducer + part;
    }
    return part;
}

void CNetworkTabDlg::OnSetting(size_t setting) {
    const NetworkSetting& entry = kSettings[setting];
    ControlId field = fields_[setting];
    bool setMode = Checked(set_);
    std::string value;
    if (setMode) {
        switch (entry.field) {
            case Field::OnOff:
                value = Text(field) == "On" ? "1" : "0";
                break;
            case Field::Address: {
                std::optional<std::string> address =
                    AddressFieldValue(Text(field), Host().Window());
                if (!address) return;
                value = *address;
                break;
            }
            case Field::Text:
                value = Text(field);
                break;
            case Field::Integer:
                value = std::to_string(Integer(field));
                break;
        }
    }
    bool netwick = Product() && Product()->Index() == kNetwickIndex;
    const char* word = !netwick ? entry.code : setMode ? entry.netwickSet : entry.netwickGet;
    Send(value + TargetPart(setting) + word, true);
}

}  // namespace zel
