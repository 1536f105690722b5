#include "pages/show/korvex_tab_dlg3.h"

#include <span>
#include <vector>

#include "pages/common/address_field.h"
#include "pages/common/disabled_reasons.h"
#include "pages/show/korvex_lists.h"

namespace zel {

namespace {

// A list entry and the value that stands for it in the command.
struct CodedEntry {
    const char* entry;
    const char* code;
};

constexpr char kDefaultAddress[] = "192.168.0.254";
constexpr char kDefaultTimeout[] = "5000";

// Jack "B" exists only on products with a second jack.
constexpr CodedEntry kJacks[] = {{"A", "A"}, {"B", "B"}};
constexpr size_t kSingleJack = 1;

constexpr CodedEntry kModes[] = {
    {"Force to be Stand Alone", "0"},
    {"Force to Master", "2"},
    {"Force to Slave", "1"},
};

std::vector<std::string> Entries(std::span<const CodedEntry> entries) {
    std::vector<std::string> texts;
    for (const CodedEntry& entry : entries) texts.push_back(entry.entry);
    return InDisplayOrder(std::move(texts));
}

// The code of the entry the list shows; nothing for typed text that is no entry.
std::string CodeOf(const std::string& shown, std::span<const CodedEntry> entries) {
    for (const CodedEntry& entry : entries) {
        if (shown == entry.entry) return entry.code;
    }
    return {};
}

}  // namespace

CKorvexTabDlg3::CKorvexTabDlg3(IPageHost& host) : CPage(host, "Redundant") {
    Group("Redundant IP Address");
    Row();
    address_ = IpAddress({}, kDefaultAddress);
    SetAndGet("RI", [this] { return AddressFieldValue(Text(address_), Host().Window()); });
    EndGroup();

    Group("Redundant Ethernet Jack");
    Row();
    jack_ = EditableDropDown({}, {});
    auto [setJack, getJack] = SetAndGet("RX", [this] { return CodeOf(Text(jack_), kJacks); });
    EndGroup();

    Group("Master Slave");
    Row();
    mode_ = EditableDropDown({}, {});
    SetAndGet("MS", [this] { return CodeOf(Text(mode_), kModes); });
    EndGroup();

    Group("Master Slave Timeout Period");
    Row();
    timeout_ = TextEdit({}, kDefaultTimeout);
    Label("ms");
    SetAndGet("TMS", [this] { return Text(timeout_); });
    EndGroup();

    for (ControlId id : {jack_, setJack, getJack}) {
        EnableWhen(
            id, [this] { return HasSecondJack(); }, kOneJackOnly);
    }
}

void CKorvexTabDlg3::OnInitDialog() {
    SetText(address_, kDefaultAddress);
    std::span<const CodedEntry> jacks(kJacks);
    SetChoices(jack_, Entries(HasSecondJack() ? jacks : jacks.first(kSingleJack)));
    SetChoices(mode_, Entries(kModes));
    SetText(timeout_, kDefaultTimeout);
}

std::pair<ControlId, ControlId> CKorvexTabDlg3::SetAndGet(std::string code, Value value) {
    ControlId set = Button("Set", [this, code, value] {
        if (std::optional<std::string> text = value()) Send(*text + code, true);
    });
    ControlId get = Button("Get", [this, code] { Send(code, true); });
    return {set, get};
}

bool CKorvexTabDlg3::HasSecondJack() const {
    return Product() && Product()->Caps().secondJack;
}

}  // namespace zel
