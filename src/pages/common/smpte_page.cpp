#include "pages/common/smpte_page.h"

#include <array>
#include <utility>

#include "pages/common/disabled_reasons.h"
#include "products/pioneer_condition.h"

namespace zel {

namespace {

struct TimeSetting {
    const char* caption;
    const char* letters;
    const char* initial;
};

constexpr std::array<TimeSetting, 3> kTimes{{
    {"Preroll Time", "PT", "00:59:55.00"},
    {"Start Time", "RT", "01:00:00.00"},
    {"End Time", "ET", "02:00:00.00"},
}};

struct ListSetting {
    const char* caption;
    const char* letters;
    std::vector<std::pair<std::string, std::string>> entries;  // entry, value code
};

const std::vector<ListSetting>& ListSettings() {
    static const std::vector<ListSetting> kLists{
        {"Mode", "SO", {{"Gen", "1"}, {"Gen (VSync)", "2"}, {"Read", "0"}}},
        {"Framerate",
         "FR",
         {{"30", "5"}, {"30d", "4"}, {"29.97", "3"}, {"25", "2"}, {"24", "1"}, {"23.976", "0"}}},
        {"Loop Mode", "LM", {{"Enabled", "1"}, {"Disabled", "0"}}},
        {"Powerup Mode", "PM", {{"Idle", "0"}, {"Start", "1"}}},
        {"Restart Mode", "RM", {{"Enabled", "1"}, {"Disabled", "0"}}},
        {"Idle Mode", "IM", {{"Active", "0"}, {"Muted", "1"}}},
        {"Self-Gen Mode",
         "SG",
         {{"Disabled", "0"},
          {"1 Sec", "1"},
          {"2 Sec", "2"},
          {"3 Sec", "3"},
          {"4 Sec", "4"},
          {"5 Sec", "5"},
          {"6 Sec", "6"},
          {"7 Sec", "7"},
          {"8 Sec", "8"},
          {"Infinite", "I"}}},
        {"Output Level",
         "OL",
         {{"0dBV", "0"}, {"1dBV", "1"}, {"2dBV", "2"}, {"3dBV", "3"}, {"4dBV", "4"}}},
    };
    return kLists;
}

}  // namespace

CSMPTEConfigTabDlg::CSMPTEConfigTabDlg(IPageHost& host) : CPage(host, "SMPTE") {
    Group("Configuration");
    get_ = RadioButton("Get", "mode", true);
    set_ = RadioButton("Set", "mode", false);
    EndGroup();
    Group("SMPTE/EBU");
    for (const TimeSetting& setting : kTimes) {
        Row();
        size_t index = times_.size();
        Button(setting.caption, [this, index, letters = setting.letters] {
            SendSetting(letters, Text(times_[index]));
        });
        times_.push_back(TextEdit({}, setting.initial));
    }
    for (const ListSetting& setting : ListSettings()) {
        Row();
        size_t index = lists_.size();
        Button(setting.caption, [this, index, &setting] {
            size_t chosen = static_cast<size_t>(Selected(lists_[index]));
            if (chosen < setting.entries.size()) {
                SendSetting(setting.letters, setting.entries[chosen].second);
            }
        });
        std::vector<std::string> choices;
        for (const auto& [entry, code] : setting.entries) choices.push_back(entry);
        lists_.push_back(DropDownList({}, std::move(choices)));
    }
    EndGroup();
    auto inSetMode = [this] { return Checked(set_); };
    for (ControlId time : times_) EnableWhen(time, inSetMode, kNeedsSetMode);
    for (ControlId list : lists_) EnableWhen(list, inSetMode, kNeedsSetMode);
}

void CSMPTEConfigTabDlg::OnInitDialog() {
    Check(get_, true);
    for (size_t index = 0; index < times_.size(); ++index) {
        SetText(times_[index], kTimes[index].initial);
    }
    for (ControlId list : lists_) Select(list, 0);
}

void CSMPTEConfigTabDlg::SendSetting(const char* letters, const std::string& value) {
    if (!SpeaksPioneer(CurrentProtocol())) return;
    Send(Checked(set_) ? value + letters : std::string(letters), true);
}

}  // namespace zel
