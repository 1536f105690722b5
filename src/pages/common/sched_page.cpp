#include "pages/common/sched_page.h"

#include <algorithm>
#include <cstdio>

#include "pages/common/address_field.h"
#include "pages/common/disabled_reasons.h"

namespace zel {

namespace {

constexpr uint32_t kNetwickIndex = 12;
constexpr uint32_t kGlimraProIndex = 31;
// Brisca-E, Melisk, Pavane and Rovant switch daylight saving by naming its rule set.
constexpr uint32_t kFirstTypeCodedIndex = 7, kLastTypeCodedIndex = 10;

struct DaylightTypeCode {
    const char* type;
    const char* code;
};
constexpr DaylightTypeCode kDaylightTypeCodes[] = {{"USA", "1"}, {"UTC", "2"}, {"AUS", "3"}};
constexpr const char* kUnknownDaylightTypeCode = "0";

std::string Printed(const char* format, int value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Hours east of UTC as the time-zone list writes them: "+05", "0 (GMT)", "-05".
std::string TimezoneText(int hours) {
    if (hours > 0) return Printed("+%02d", hours);
    if (hours == 0) return Printed("%d (GMT)", hours);
    return Printed("%03d", hours);
}

std::vector<std::string> TimezoneChoices() {
    std::vector<std::string> choices;
    for (int hours = 13; hours >= -13; --hours) choices.push_back(TimezoneText(hours));
    return choices;
}

std::string Trimmed(std::string_view text) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    return std::string(text.substr(begin, text.find_last_not_of(' ') - begin + 1));
}

// "1:05:00 PM" becomes "13:05:00", "12:30:00 AM" becomes "0:30:00".
std::string TwentyFourHourTime(std::string_view pickerText) {
    std::string text = Trimmed(pickerText);
    size_t digits = 0;
    while (digits < 2 && digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    int hour = digits == 0 ? 0 : std::stoi(text.substr(0, digits));
    bool afternoon = text.find("PM") != std::string::npos;
    if (afternoon && hour != 12) hour += 12;
    if (!afternoon && hour == 12) hour = 0;
    std::string rest = text.substr(digits);
    for (const char* suffix : {"PM", "AM"}) {
        if (rest.ends_with(suffix)) rest.resize(rest.size() - 2);
    }
    return std::to_string(hour) + Trimmed(rest);
}

// The Netwick reads dates with a two-digit year: "12/06/2026" becomes "12/06/26".
std::string TwoDigitYearDate(std::string date) {
    std::ranges::replace(date, '.', '/');
    if (date.size() < 4) return date;
    return date.substr(0, date.size() - 4) + date.substr(date.size() - 2);
}

// The picker's own form of a time of day: "1:05:09 PM".
std::string PickerTime(const LocalTime& time) {
    int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour, time.minute, time.second,
                  time.hour < 12 ? "AM" : "PM");
    return text;
}

}  // namespace

CSchedTabDlg::CSchedTabDlg(IPageHost& host) : CPage(host, "Date/Time") {
    Group("Configuration");
    RadioButton("Get", "mode", true);
    set_ = RadioButton("Set", "mode", false);
    EndGroup();

    Group("Date/Time");
    usePc_ = CheckBox("Use PC Settings", true);
    ControlId timeButton = SettingButton("Time", [this] { OnTime(); });
    time_ = TimePicker({}, "12:00:00 AM");
    ControlId dateButton = SettingButton("Date", [this] { OnDate(); });
    date_ = DatePicker({}, "01/01/2000");
    ControlId dstEnableButton = SettingButton("DST Enable", [this] {
        SendSetting(EncodesDaylightAsType() ? "DT" : "SD",
                    [this] { return DaylightEnableValue(); });
    });
    dstEnable_ = DropDownList({}, {"On", "Off"});
    ControlId timezoneButton = SettingButton("Timezone", [this] {
        SendSetting(
            "TZ", [this] { return UsesPc() ? std::to_string(PcOffsetHours()) : Text(timezone_); });
    });
    timezone_ = EditableDropDown({}, TimezoneChoices());
    ControlId latitudeButton = SettingButton("Latitude", [this] {
        SendSetting("LA", [this] {
            return Coordinate(latitude_, 90, north_, "N", "S",
                              "Latitude value must be between 0 and 90");
        });
    });
    latitude_ = IntegerEdit({}, 28);
    north_ = RadioButton("N", "latitude", true);
    ControlId south = RadioButton("S", "latitude", false);
    ControlId longitudeButton = SettingButton("Longitude", [this] {
        SendSetting(IsProduct(kGlimraProIndex) ? "LG" : "LO", [this] {
            return Coordinate(longitude_, 180, east_, "E", "W",
                              "Longitude value must be between 0 and 180");
        });
    });
    longitude_ = IntegerEdit({}, 81);
    east_ = RadioButton("E", "longitude", true);
    ControlId west = RadioButton("W", "longitude", false);
    ControlId dstTypeButton = SettingButton(
        "DST Type", [this] { SendSetting("DT", [this] { return DaylightTypeValue(); }); });
    dstType_ = DropDownList({}, {"USA", "UTC", "AUS"});
    EndGroup();

    Group("Network Time Protocol (NTP)");
    ControlId ntpEnableButton = SettingButton("NTP Enable", [this] {
        SendSetting("NE", [this] { return Text(ntpEnable_) == "Off" ? "0" : "1"; });
    });
    ntpEnable_ = DropDownList({}, {"On", "Off"});
    ControlId ntpServerButton = SettingButton("NTP Server", [this] {
        SendSetting("NI", [this] { return AddressFieldValue(Text(ntpServer_), Host().Window()); });
    });
    ntpServer_ = IpAddress({}, "192.168.0.1");
    ControlId jackButton =
        SettingButton("Eth Jack", [this] { SendSetting("NJ", [this] { return Text(jack_); }); });
    jack_ = DropDownList({}, {"A", "B"});
    EndGroup();

    const auto location = &Capabilities::location;
    const auto timeAndDate = &Capabilities::timeAndDate;
    const auto ntp = &Capabilities::ntp;
    const auto secondJack = &Capabilities::secondJack;
    Require({timezoneButton, latitudeButton, longitudeButton}, {location});
    Require({latitude_, longitude_, north_, south, east_, west}, {location, true});
    Require({timezone_}, {location, true, true});
    Require({timeButton, dateButton, dstEnableButton, dstTypeButton}, {timeAndDate});
    Require({usePc_}, {timeAndDate, true});
    Require({time_, date_, dstEnable_, dstType_}, {timeAndDate, true, true});
    Require({ntpEnableButton, ntpServerButton}, {ntp});
    Require({ntpEnable_, ntpServer_}, {ntp, true});
    Require({jackButton}, {secondJack});
    Require({jack_}, {secondJack, true});
}

void CSchedTabDlg::OnInitDialog() {
    PcClockInfo& pc = Host().PcClock();
    SetText(date_, pc.FormatDateSlashed());
    SetText(time_, PickerTime(pc.LastRead()));
    SelectText(dstEnable_, pc.HasDaylightSaving() ? "On" : "Off");
    SelectText(dstType_, pc.DaylightRuleName() == "UTC" ? "UTC" : "USA");
    SetText(timezone_, TimezoneText(PcOffsetHours()));
    Check(north_, true);
    Check(east_, true);
    SetText(latitude_, "28");
    SetText(longitude_, "81");
    Select(ntpEnable_, 0);
    SetText(ntpServer_, "192.168.0.1");
    Select(jack_, 0);
}

// A follow-up still waiting belongs to the product of this window.
void CSchedTabDlg::OnDestroy() {
    Host().Window().KillTimer(kTimeFollowUpTimer);
    Host().Window().KillTimer(kDateFollowUpTimer);
}

ControlId CSchedTabDlg::SettingButton(std::string caption, std::function<void()> onPress) {
    Row();
    return Button(std::move(caption), std::move(onPress));
}

void CSchedTabDlg::Require(std::initializer_list<ControlId> ids, Requirement requirement) {
    for (ControlId id : ids) {
        EnableWhen(
            id,
            [this, requirement] {
                return Has(requirement.capability) && (!requirement.setMode || Checked(set_)) &&
                       (!requirement.typedValue || !UsesPc());
            },
            [this, requirement] {
                return !Has(requirement.capability)            ? kNotOnThisProduct
                       : requirement.setMode && !Checked(set_) ? kNeedsSetMode
                                                               : "Needs Use PC Settings unticked";
            });
    }
}

bool CSchedTabDlg::Has(bool Capabilities::*capability) const {
    return Product() && Product()->Caps().*capability;
}

bool CSchedTabDlg::IsProduct(uint32_t index) const {
    return Product() && Product()->Index() == index;
}

bool CSchedTabDlg::EncodesDaylightAsType() const {
    return Product() && Product()->Index() >= kFirstTypeCodedIndex &&
           Product()->Index() <= kLastTypeCodedIndex;
}

void CSchedTabDlg::SendSetting(const std::string& word, const Value& value) {
    if (!Checked(set_)) {
        Send(word, true);
        return;
    }
    if (std::optional<std::string> text = value()) Send(*text + word, true);
}

void CSchedTabDlg::SendKeywordThenValue(const char* getWord, const char* setWord, int timer,
                                        const std::string& value) {
    if (!Checked(set_)) {
        Send(getWord, true);
        return;
    }
    Send(setWord, true);
    Host().Window().SetTimer(timer, kFollowUpDelayMs, [this, timer, value] {
        Send(value, true);
        Host().Window().KillTimer(timer);  // last: it ends this very function object
    });
}

void CSchedTabDlg::OnTime() {
    if (IsProduct(kNetwickIndex)) {
        SendKeywordThenValue("?TIME", "SETTIME", kTimeFollowUpTimer, TimeText());
    } else {
        SendSetting("TI", [this] { return TimeText(); });
    }
}

void CSchedTabDlg::OnDate() {
    if (IsProduct(kNetwickIndex)) {
        SendKeywordThenValue("?DATE", "SETDATE", kDateFollowUpTimer, TwoDigitYearDate(DateText()));
    } else {
        SendSetting("DA", [this] { return DateText(); });
    }
}

std::string CSchedTabDlg::TimeText() {
    return UsesPc() ? Host().PcClock().FormatTime() : TwentyFourHourTime(Text(time_));
}

std::string CSchedTabDlg::DateText() {
    return UsesPc() ? Host().PcClock().FormatDateSlashed() : Text(date_);
}

// Hours east of UTC; the PC's bias counts west.
int CSchedTabDlg::PcOffsetHours() {
    return -Host().PcClock().UtcOffsetHours();
}

std::optional<std::string> CSchedTabDlg::Coordinate(ControlId edit, int maximum, ControlId positive,
                                                    const char* positiveLetter,
                                                    const char* negativeLetter,
                                                    const char* message) {
    int64_t degrees = Integer(edit);
    if (degrees < 0 || degrees > maximum) {
        Ask(message, MessageButtons::Ok, MessageIcon::Warning);
        return std::nullopt;
    }
    return (Checked(positive) ? positiveLetter : negativeLetter) + std::to_string(degrees);
}

std::string CSchedTabDlg::DaylightTypeValue() {
    std::string type = UsesPc() ? Host().PcClock().DaylightRuleName() : Text(dstType_);
    if (!EncodesDaylightAsType()) return type;
    for (const DaylightTypeCode& entry : kDaylightTypeCodes) {
        if (type == entry.type) return entry.code;
    }
    return kUnknownDaylightTypeCode;
}

std::string CSchedTabDlg::DaylightEnableValue() {
    bool observed = UsesPc() ? Host().PcClock().HasDaylightSaving() : Text(dstEnable_) == "On";
    if (!observed) return "0";
    return EncodesDaylightAsType() ? DaylightTypeValue() : "1";
}

}  // namespace zel
