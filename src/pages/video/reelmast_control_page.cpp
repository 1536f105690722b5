#include "pages/video/reelmast_control_page.h"

#include <algorithm>
#include <array>
#include <utility>

#include "products/pioneer_condition.h"

namespace zel {

namespace {

constexpr char kInitialTime[] = "01:00:00.00";

struct EntryCode {
    const char* entry;
    const char* code;
};

constexpr std::array<EntryCode, 2> kVideoFormats{{{"NTSC", "0"}, {"PAL", "1"}}};
constexpr char kOtherVideoFormat[] = "0";
constexpr std::array<EntryCode, 4> kSampleRates{
    {{"32000Hz", "0"}, {"44100Hz", "1"}, {"48000Hz", "2"}, {"96000Hz", "3"}}};
constexpr char kOtherSampleRate[] = "2";
constexpr int kInitialSampleRate = 2;

template <size_t N>
std::vector<std::string> EntriesOf(const std::array<EntryCode, N>& table) {
    std::vector<std::string> entries;
    for (const EntryCode& row : table) entries.emplace_back(row.entry);
    return entries;
}

template <size_t N>
std::string CodeOf(const std::array<EntryCode, N>& table, const std::string& entry,
                   const char* otherwise) {
    auto found = std::find_if(table.begin(), table.end(),
                              [&](const EntryCode& row) { return entry == row.entry; });
    return found == table.end() ? otherwise : found->code;
}

struct FixedButton {
    const char* caption;
    const char* text;
};

constexpr std::array<FixedButton, 4> kGeneratorButtons{
    {{"Enable", "ES"}, {"Disable", "DS"}, {"Pause", "PS"}, {"Idle", "IS"}}};
constexpr std::array<FixedButton, 2> kQueryButtons{{{"Get Version", "?S"}, {"Get Status", "GS"}}};

std::function<std::string()> Fixed(const char* text) {
    return [text] { return std::string(text); };
}

}  // namespace

CReelmastControlTabDlg::CReelmastControlTabDlg(IPageHost& host) : CPage(host, "Controller") {
    Group("SMPTE/EBU Control");
    Row();
    for (const FixedButton& button : kGeneratorButtons) {
        PioneerButton(button.caption, Fixed(button.text));
    }
    Row();
    for (const FixedButton& button : kQueryButtons) {
        PioneerButton(button.caption, Fixed(button.text));
    }
    Row("Current SMPTE Time");
    time_ = TextEdit({}, kInitialTime);
    PioneerButton("Set", [this] { return Text(time_) + "CT"; });
    PioneerButton("Get", Fixed("CT"));
    EndGroup();

    Group("A/V Setup");
    Row("Video Format");
    videoFormat_ = DropDownList({}, EntriesOf(kVideoFormats));
    PioneerButton("Set", [this] {
        return CodeOf(kVideoFormats, Text(videoFormat_), kOtherVideoFormat) + "VF";
    });
    PioneerButton("Get", Fixed("VF"));
    Row("Sample Rate");
    sampleRate_ = DropDownList({}, EntriesOf(kSampleRates), kInitialSampleRate);
    PioneerButton(
        "Set", [this] { return CodeOf(kSampleRates, Text(sampleRate_), kOtherSampleRate) + "SR"; });
    PioneerButton("Get", Fixed("SR"));
    EndGroup();
}

void CReelmastControlTabDlg::OnInitDialog() {
    SetText(time_, kInitialTime);
    Select(videoFormat_, 0);
    Select(sampleRate_, kInitialSampleRate);
}

void CReelmastControlTabDlg::PioneerButton(std::string caption, std::function<std::string()> text) {
    Button(std::move(caption), [this, text = std::move(text)] {
        if (SpeaksPioneer(CurrentProtocol())) Send(text(), true);
    });
}

}  // namespace zel
