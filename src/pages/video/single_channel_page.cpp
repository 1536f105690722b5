#include "pages/video/single_channel_page.h"

#include "products/file_argument.h"

namespace zel {

namespace {

constexpr char kFileNameCaption[] = "File Name or Number";
constexpr char kFileNumberHint[] = "File # (ie: type 18 for vid00018.mpg)";
constexpr int64_t kLastFileNumber = 99999;
constexpr int kSliderMaximum = 100;

}  // namespace

PanelRow Buttons(std::string_view rowLabel, std::vector<FixedCommand> buttons) {
    return {PanelRow::Kind::Buttons, rowLabel, std::move(buttons), {}, {}};
}

PanelRow FileNameBox() {
    return {PanelRow::Kind::FileNameBox, {}, {}, {}, {}};
}

PanelRow FileNumberBox() {
    return {PanelRow::Kind::FileNumberBox, {}, {}, {}, {}};
}

PanelRow FileCommands(std::vector<FixedCommand> letters) {
    return {PanelRow::Kind::FileCommands, {}, std::move(letters), {}, {}};
}

PanelRow List(std::string_view rowLabel, CodedList list) {
    return {PanelRow::Kind::List, rowLabel, {}, std::move(list), {}};
}

PanelRow Sliders(std::vector<LevelSlider> sliders) {
    return {PanelRow::Kind::Sliders, {}, {}, {}, std::move(sliders)};
}

CSingleChannelPage::CSingleChannelPage(IPageHost& host, const PlayerPanel& panel)
    : CPage(host, "Control") {
    for (const PanelGroup& group : panel) {
        Group(std::string(group.caption), group.column);
        for (const PanelRow& row : group.rows) AddRow(row);
        EndGroup();
    }
}

void CSingleChannelPage::AddRow(const PanelRow& row) {
    Row(std::string(row.label));
    switch (row.kind) {
        case PanelRow::Kind::Buttons:
            for (const FixedCommand& command : row.buttons) AddFixed(command);
            break;
        case PanelRow::Kind::FileNameBox:
            fileBox_ = TextEdit(kFileNameCaption, "1");
            break;
        case PanelRow::Kind::FileNumberBox:
            Label(kFileNumberHint);
            fileBox_ = IntegerEdit({}, 1, std::pair<int64_t, int64_t>{0, kLastFileNumber});
            fileByNumber_ = true;
            break;
        case PanelRow::Kind::FileCommands:
            for (const FixedCommand& command : row.buttons) {
                Button(std::string(command.caption),
                       [this, letters = command.text] { SendFileCommand(letters); });
            }
            break;
        case PanelRow::Kind::List:
            AddList(row.list);
            break;
        case PanelRow::Kind::Sliders:
            AddSliders(row.sliders);
            break;
    }
}

void CSingleChannelPage::AddFixed(const FixedCommand& command) {
    Button(std::string(command.caption), [this, command] {
        if (!command.confirmation.empty() &&
            Ask(std::string(command.confirmation), MessageButtons::OkCancel,
                MessageIcon::Question) != MessageAnswer::Ok) {
            return;
        }
        Send(command.text, true);
    });
}

void CSingleChannelPage::AddList(const CodedList& list) {
    std::vector<std::string> entries;
    for (const auto& [entry, code] : list.entries) entries.push_back(entry);
    ControlId id = DropDownList({}, std::move(entries));
    lists_.push_back(id);
    Button("Set", [this, id, list] {
        size_t chosen = static_cast<size_t>(Selected(id));
        if (chosen >= list.entries.size()) return;
        const std::string& code = list.entries[chosen].second;
        if (!code.empty()) Send(code + std::string(list.letters), true);
    });
    if (list.hasGet) Button("Get", [this, list] { Send(list.letters, true); });
}

void CSingleChannelPage::AddSliders(const std::vector<LevelSlider>& sliders) {
    size_t first = levels_.size();
    for (const LevelSlider& spec : sliders) {
        size_t index = levels_.size();
        ControlId slider = Slider(
            std::string(spec.caption), 0, kSliderMaximum, spec.initialPosition, spec.vertical,
            [this, index, suffix = spec.suffix] {
                ShowLevel(levels_[index]);
                Send(std::to_string(LevelOf(levels_[index])) + std::string(suffix), true);
            },
            [this, index] { ShowLevel(levels_[index]); });
        levels_.push_back({slider, -1, spec.vertical});
    }
    // The values stand in a row of their own, each below its bar.
    Row();
    for (size_t index = first; index < levels_.size(); ++index) {
        levels_[index].label = ValueLabel(std::string(sliders[index - first].caption), {});
        ShowLevel(levels_[index]);
    }
}

void CSingleChannelPage::OnInitDialog() {
    for (ControlId list : lists_) Select(list, 0);
    for (const ShownLevel& level : levels_) ShowLevel(level);
}

void CSingleChannelPage::SendFileCommand(std::string_view letters) {
    // The number box has passed its range check in the data exchange by now.
    std::string argument = fileByNumber_ ? std::to_string(Integer(fileBox_))
                                         : NormalizeFileArgument(Text(fileBox_), Host().Window());
    if (!argument.empty()) Send(argument + std::string(letters), true);
}

int CSingleChannelPage::LevelOf(const ShownLevel& level) const {
    int position = Position(level.slider);
    return level.vertical ? kSliderMaximum - position : position;
}

void CSingleChannelPage::ShowLevel(const ShownLevel& level) {
    SetText(level.label, std::to_string(LevelOf(level)));
}

}  // namespace zel
