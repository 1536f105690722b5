#include "pages/video/reelmast_repro_page.h"

#include <algorithm>
#include <array>
#include <utility>

#include "products/file_argument.h"
#include "products/pioneer_condition.h"

namespace zel {

// A button's text: the lead, the file argument, the address, the mode letter and the verb.
struct ReelmastCommand {
    const char* caption;
    const char* verb;                 // in Normal mode
    const char* sidedVerb = nullptr;  // in Left or Right mode, when it differs
    const char* lead = "";            // a state in front
    bool takesFile = false;           // the file argument in front
    bool takesMode = false;           // the mode letter after the address
    bool normalOnly = false;          // unusable in Left or Right mode
    bool reproducerOnly = false;      // for one reproducer, not a group or all
};

namespace {

constexpr std::array<ReelmastCommand, 7> kFileCommands{{
    {.caption = "Search", .verb = "SE", .takesFile = true, .normalOnly = true},
    {.caption = "Play File", .verb = "PL", .sidedVerb = "PI", .takesFile = true, .takesMode = true},
    {.caption = "Loop File", .verb = "LP", .sidedVerb = "LI", .takesFile = true, .takesMode = true},
    {.caption = "S-Play File", .verb = "SP", .takesFile = true, .normalOnly = true},
    {.caption = "S-Loop File", .verb = "SL", .takesFile = true, .normalOnly = true},
    {.caption = "Play Next", .verb = "PN", .takesFile = true, .takesMode = true},
    {.caption = "Loop Next", .verb = "LN", .takesFile = true, .takesMode = true},
}};

constexpr std::array<ReelmastCommand, 5> kTransportCommands{{
    {.caption = "Stop", .verb = "RJ", .sidedVerb = "RI", .takesMode = true},
    {.caption = "Play", .verb = "PL", .normalOnly = true},
    {.caption = "Loop", .verb = "LP", .normalOnly = true},
    {.caption = "Still", .verb = "ST", .normalOnly = true},
    {.caption = "Pause", .verb = "PA", .normalOnly = true},
}};

constexpr std::array<ReelmastCommand, 3> kQueries{{
    {.caption = "Get Version", .verb = "?V", .reproducerOnly = true},
    {.caption = "Get Status", .verb = "?P", .takesMode = true, .reproducerOnly = true},
    {.caption = "Get File", .verb = "?C", .takesMode = true, .reproducerOnly = true},
}};

constexpr std::array<ReelmastCommand, 2> kAudioMute{{
    {.caption = "Off", .verb = "AD", .lead = "0", .takesMode = true},
    {.caption = "On", .verb = "AD", .lead = "1", .takesMode = true},
}};

constexpr std::array<ReelmastCommand, 2> kVideoMute{{
    {.caption = "Off", .verb = "VD", .lead = "0"},
    {.caption = "On", .verb = "VD", .lead = "1"},
}};

constexpr std::array<const char*, 3> kModeLetters{"", "L", "R"};
constexpr std::array<const char*, 3> kModeCaptions{"Normal", "Left", "Right"};

struct EntryCode {
    const char* entry;
    const char* code;
};

constexpr std::array<EntryCode, 9> kOutputFormats{{
    {"1080i", "1080I29"},
    {"720p", "720P59"},
    {"480p", "480P"},
    {"480i", "480I"},
    {"1080i(25)", "1080I25"},
    {"720p(50)", "720P50"},
    {"576p", "576P50"},
    {"576i", "576I25"},
    {"1080p(59.97)", "1080p59"},
}};
// The last format is offered by one product only.
constexpr size_t kCommonOutputFormats = 8;
constexpr char kExtraFormatProduct[] = "A/V Reelmast HD";
constexpr std::array<const char*, 2> kOutputFormatProducts{"A/V Reelmast HD",
                                                           "Digital Reelmast HD"};

constexpr std::array<EntryCode, 2> kColourSpaces{{{"YPbPr", "1"}, {"RGsB", "0"}}};

// How a target's entry becomes its address code: "Reproducer 12" R12, "Group 3" G3, "All" *.
constexpr std::array<std::pair<const char*, const char*>, 3> kAddressCodes{{
    {"Reproducer ", "R"},
    {"Group ", "G"},
    {"All", "*"},
}};
constexpr char kReproducerWord[] = "Reproducer";
constexpr char kNeedsReproducer[] = "Needs one reproducer chosen, not a group or all";

template <size_t N>
std::string CodeOf(const std::array<EntryCode, N>& table, const std::string& entry) {
    auto found = std::find_if(table.begin(), table.end(),
                              [&](const EntryCode& row) { return entry == row.entry; });
    return found == table.end() ? std::string() : found->code;
}

std::vector<std::string> EntriesOf(const EntryCode* first, const EntryCode* last) {
    std::vector<std::string> entries;
    for (const EntryCode* row = first; row != last; ++row) entries.emplace_back(row->entry);
    return entries;
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

CReelmastReproTabDlg::CReelmastReproTabDlg(IPageHost& host) : CPage(host, "Reproducer") {
    Group("Reproducer Address");
    target_ = DropDownList({}, {});
    EndGroup();

    modeGroup_ = Group("Playback Mode");
    for (size_t mode = 0; mode < kModeCaptions.size(); ++mode) {
        modeButtons_.push_back(RadioButton(kModeCaptions[mode], "mode", mode == 0));
    }
    EndGroup();

    Group("Playback Control");
    file_ = TextEdit("File Number", "1");
    Row();
    for (const ReelmastCommand& command : kFileCommands) AddCommand(command);
    Row();
    for (const ReelmastCommand& command : kTransportCommands) AddCommand(command);
    Row();
    for (const ReelmastCommand& command : kQueries) AddCommand(command);
    EndGroup();

    Group("Video Configuration");
    Row("Output Format");
    outputFormat_ = DropDownList({}, {});
    ControlId formatSet = Button("Set", [this] {
        std::string code = CodeOf(kOutputFormats, Text(outputFormat_));
        if (!code.empty()) Send(code + Address() + "VO", true);
    });
    ControlId formatGet = Button("Get", [this] { Send("VO", true); });
    for (ControlId id : {outputFormat_, formatSet, formatGet}) {
        EnableWhen(
            id, [this] { return ShowsOutputFormats(); },
            "Only the Reelmast HD players choose an output format");
    }
    Row("Colorspace");
    colourSpace_ = DropDownList({}, EntriesOf(kColourSpaces.begin(), kColourSpaces.end()));
    Button("Set", [this] {
        std::string code = CodeOf(kColourSpaces, Text(colourSpace_));
        if (SpeaksPioneer(CurrentProtocol()) && !code.empty()) {
            Send(code + Address() + "VC", true);
        }
    });
    ControlId colourGet = Button("Get", [this] {
        if (SpeaksPioneer(CurrentProtocol())) Send(Address() + "VC", true);
    });
    EnableWhen(
        colourGet, [this] { return ReproducerChosen(); }, kNeedsReproducer);
    EndGroup();

    Group("Mute Control");
    Row("Audio");
    for (const ReelmastCommand& command : kAudioMute) AddCommand(command);
    Row("Video");
    for (const ReelmastCommand& command : kVideoMute) AddCommand(command);
    EndGroup();

    auto playbackModeShown = [this] { return Product() && Product()->Caps().playbackMode; };
    ShowWhen(modeGroup_, playbackModeShown);
    for (ControlId id : modeButtons_) ShowWhen(id, playbackModeShown);
}

void CReelmastReproTabDlg::AddCommand(const ReelmastCommand& command) {
    ControlId id = Button(command.caption, [this, &command] { SendCommandOf(command); });
    if (command.normalOnly || command.reproducerOnly) {
        EnableWhen(
            id,
            [this, &command] {
                return (!command.normalOnly || ChosenMode() == Mode::Normal) &&
                       (!command.reproducerOnly || ReproducerChosen());
            },
            command.normalOnly ? "Needs the Normal playback mode" : kNeedsReproducer);
    }
}

void CReelmastReproTabDlg::SendCommandOf(const ReelmastCommand& command) {
    if (!SpeaksPioneer(CurrentProtocol())) return;
    std::string argument;
    if (command.takesFile) {
        argument = NormalizeFileArgument(Text(file_), Host().Window());
        if (argument.empty()) return;
    }
    const char* verb =
        ChosenMode() != Mode::Normal && command.sidedVerb ? command.sidedVerb : command.verb;
    Send(command.lead + argument + Address() + (command.takesMode ? ModeLetter() : "") + verb,
         true);
}

void CReelmastReproTabDlg::OnInitDialog() {
    std::vector<std::string> targets;
    int reproducers = Product() ? Product()->Caps().reproducerCount : 0;
    int groups = Product() ? Product()->Caps().groupCount : 0;
    for (int number = 1; number <= reproducers; ++number) {
        targets.push_back("Reproducer " + std::to_string(number));
    }
    for (int number = 1; number <= groups; ++number) {
        targets.push_back("Group " + std::to_string(number));
    }
    targets.push_back("All");
    SetChoices(target_, std::move(targets));

    Check(modeButtons_.front(), true);

    std::vector<std::string> formats =
        EntriesOf(kOutputFormats.begin(), kOutputFormats.begin() + kCommonOutputFormats);
    if (Product() && Product()->Name() == kExtraFormatProduct) {
        formats.push_back(kOutputFormats[kCommonOutputFormats].entry);
    }
    SetChoices(outputFormat_, std::move(formats));
    Select(colourSpace_, 0);
}

CReelmastReproTabDlg::Mode CReelmastReproTabDlg::ChosenMode() const {
    auto chosen = std::find_if(modeButtons_.begin(), modeButtons_.end(),
                               [this](ControlId id) { return Checked(id); });
    return chosen == modeButtons_.end() ? Mode::Normal
                                        : static_cast<Mode>(chosen - modeButtons_.begin());
}

std::string CReelmastReproTabDlg::Address() const {
    std::string address = Text(target_);
    for (const auto& [from, to] : kAddressCodes) address = Replaced(std::move(address), from, to);
    return address;
}

bool CReelmastReproTabDlg::ReproducerChosen() const {
    return Text(target_).find(kReproducerWord) != std::string::npos;
}

bool CReelmastReproTabDlg::ShowsOutputFormats() const {
    return Product() && std::find(kOutputFormatProducts.begin(), kOutputFormatProducts.end(),
                                  Product()->Name()) != kOutputFormatProducts.end();
}

std::string CReelmastReproTabDlg::ModeLetter() const {
    return kModeLetters[static_cast<size_t>(ChosenMode())];
}

}  // namespace zel
