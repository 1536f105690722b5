#include "pages/show/korvex_tab_dlg4.h"

#include <string>

namespace zel {

namespace {

// "Set" sends the field's text in double quotes followed by the code, "Get" the code alone.
struct NamedSetting {
    const char* group;
    const char* initial;
    const char* code;
    bool settable;
};

// The edit date is the product's to keep: the field shows an example, and replies are read in
// the log.
constexpr NamedSetting kSettings[] = {
    {"Device Name", "Device1", "NM", true},
    {"Active Script", "Script.zel", "SF", true},
    {"Active Script Edit Date", "2009-02-13 23:31:30", "FT", false},
};

}  // namespace

CKorvexTabDlg4::CKorvexTabDlg4(IPageHost& host) : CPage(host, "Name/Script") {
    for (const NamedSetting& setting : kSettings) {
        Group(setting.group);
        Row();
        ControlId field = TextEdit({}, setting.initial);
        fields_.push_back(field);
        std::string code = setting.code;
        if (setting.settable) {
            Button("Set", [this, field, code] { Send("\"" + Text(field) + "\"" + code, true); });
        } else {
            EnableWhen(
                field, [] { return false; }, "This setting can only be read");
        }
        Button("Get", [this, code] { Send(code, true); });
        EndGroup();
    }
}

void CKorvexTabDlg4::OnInitDialog() {
    for (size_t i = 0; i < fields_.size(); ++i) SetText(fields_[i], kSettings[i].initial);
}

}  // namespace zel
