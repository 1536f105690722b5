#include "pages/common/smtp_http_page.h"

#include <string>

#include "pages/common/disabled_reasons.h"

namespace zel {

namespace {

enum class Field { Jack, Text };

struct MailSetting {
    const char* group;
    const char* caption;
    const char* code;
    Field field;
    bool readable;  // the password has no query of its own
};

const std::array<MailSetting, CSMTPHTTPTabDlg::kSettingCount> kSettings{{
    {"HTTP", "Eth Jack", "HJ", Field::Jack, true},
    {"HTTP", "Default Webpage", "HP", Field::Text, true},
    {"SMTP", "Eth Jack", "SJ", Field::Jack, true},
    {"SMTP", "Server", "SA", Field::Text, true},
    {"SMTP", "Server Port", "SP", Field::Text, true},
    {"SMTP", "Username", "SU", Field::Text, true},
    {"SMTP", "Password", "SW", Field::Text, false},
    {"SMTP", "From", "FR", Field::Text, true},
}};

}  // namespace

CSMTPHTTPTabDlg::CSMTPHTTPTabDlg(IPageHost& host) : CPage(host, "SMTP/HTTP") {
    Group("Configuration");
    RadioButton("Get", "mode", true);
    set_ = RadioButton("Set", "mode", false);
    EndGroup();

    std::string group;
    for (size_t i = 0; i < kSettings.size(); ++i) {
        const MailSetting& setting = kSettings[i];
        if (setting.group != group) {
            if (!group.empty()) EndGroup();
            group = setting.group;
            Group(group, group == "SMTP" ? 1 : 0);
        }
        Row();
        bool jack = setting.field == Field::Jack;
        ControlId button = Button(setting.caption, [this, i] { OnSetting(i); });
        fields_[i] = jack ? DropDownList({}, {"A", "B"}) : TextEdit({});
        auto reason = [this, jack] {
            return jack && !HasSecondJack() ? kOneJackOnly : kNeedsSetMode;
        };
        EnableWhen(
            button,
            [this, jack, &setting] {
                return (!jack || HasSecondJack()) && (setting.readable || Checked(set_));
            },
            reason);
        EnableWhen(
            fields_[i], [this, jack] { return Checked(set_) && (!jack || HasSecondJack()); },
            reason);
    }
    EndGroup();

    Group("Mail Immediately");
    Row();
    to_ = TextEdit("To");
    Row();
    subject_ = TextEdit("Subject");
    Row();
    message_ = TextEdit("Message");
    Row();
    // The fields go as typed: a "|" in one of them is not escaped.
    Button("Send",
           [this] { Send(Text(to_) + "|" + Text(subject_) + "|" + Text(message_) + "MA", true); });
    EndGroup();
}

void CSMTPHTTPTabDlg::OnInitDialog() {
    for (size_t i = 0; i < kSettings.size(); ++i) {
        if (kSettings[i].field == Field::Jack) Select(fields_[i], 0);
    }
}

bool CSMTPHTTPTabDlg::HasSecondJack() const {
    return Product() && Product()->Caps().secondJack;
}

// Get sends the code alone, Set the field's text (or the jack's letter) followed by the code.
void CSMTPHTTPTabDlg::OnSetting(size_t setting) {
    std::string value = Checked(set_) ? Text(fields_[setting]) : std::string();
    Send(value + kSettings[setting].code, true);
}

}  // namespace zel
