#include "products/page_base.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace zel {

namespace {

const std::string kMessageCaption = "ZelTerm";

std::string Replace(std::string text, std::string_view placeholder, const std::string& value) {
    size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
    return text;
}

// An integer as the window system's data exchange reads one: optional blanks, an optional
// sign, digits, optional blanks, nothing else, within 32 bits.
std::optional<int64_t> ParseInteger(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    std::string_view digits(text.data() + begin, end - begin + 1);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int64_t value = 0;
    auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || last != digits.data() + digits.size()) return std::nullopt;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return value;
}

bool HoldsText(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextEdit:
        case ControlKind::IntegerEdit:
        case ControlKind::EditableDropDown:
        case ControlKind::IpAddress:
        case ControlKind::DatePicker:
        case ControlKind::TimePicker:
            return true;
        default:
            return false;
    }
}

}  // namespace

const char* ControlKindName(ControlKind kind) {
    static constexpr const char* kNames[] = {
        "group",  "label",  "text",       "integer", "list", "editable-list", "check-box", "radio",
        "button", "slider", "ip-address", "date",    "time", "report",        "picture",
    };
    return kNames[static_cast<int>(kind)];
}

CPage::CPage(IPageHost& host, std::string title) : host_(host), title_(std::move(title)) {}

ControlId CPage::Add(ControlKind kind, std::string caption) {
    Control control;
    control.kind = kind;
    control.caption = std::move(caption);
    control.group = currentGroup_;
    control.row = currentRow_;
    controls_.push_back(std::move(control));
    behaviours_.emplace_back();
    rowLabels_.push_back(currentRowLabel_);
    pathsAssigned_ = false;
    return static_cast<ControlId>(controls_.size() - 1);
}

ControlId CPage::Group(std::string caption, int column) {
    ControlId id = Add(ControlKind::Group, std::move(caption));
    controls_[id].column = column;
    controls_[id].row = groupCount_++;
    currentGroup_ = id;
    currentRow_ = 0;
    currentRowLabel_.clear();
    return id;
}

void CPage::EndGroup() {
    currentGroup_ = currentGroup_ >= 0 ? controls_[currentGroup_].group : -1;
    ++currentRow_;
    currentRowLabel_.clear();
}

void CPage::Row(std::string rowLabel) {
    bool rowIsEmpty = controls_.empty() || controls_.back().row != currentRow_ ||
                      controls_.back().group != currentGroup_ ||
                      controls_.back().kind == ControlKind::Group;
    if (!rowIsEmpty) ++currentRow_;
    currentRowLabel_ = rowLabel;
    if (!rowLabel.empty()) Label(std::move(rowLabel));
}

ControlId CPage::Label(std::string text, bool multiLine) {
    ControlId id = Add(ControlKind::Label, {});
    controls_[id].text = std::move(text);
    controls_[id].multiLine = multiLine;
    return id;
}

ControlId CPage::ValueLabel(std::string name, std::string text) {
    ControlId id = Add(ControlKind::Label, std::move(name));
    controls_[id].text = std::move(text);
    return id;
}

ControlId CPage::TextEdit(std::string caption, std::string initial, size_t maxLength) {
    ControlId id = Add(ControlKind::TextEdit, std::move(caption));
    controls_[id].text = std::move(initial);
    controls_[id].maxLength = maxLength;
    return id;
}

ControlId CPage::IntegerEdit(std::string caption, int64_t initial,
                             std::optional<std::pair<int64_t, int64_t>> range) {
    ControlId id = Add(ControlKind::IntegerEdit, std::move(caption));
    controls_[id].text = std::to_string(initial);
    controls_[id].range = range;
    return id;
}

ControlId CPage::DropDownList(std::string caption, std::vector<std::string> choices, int selected,
                              bool sorted) {
    ControlId id = Add(ControlKind::DropDownList, std::move(caption));
    controls_[id].sortedChoices = sorted;
    SetChoices(id, std::move(choices), selected);
    return id;
}

ControlId CPage::EditableDropDown(std::string caption, std::vector<std::string> choices,
                                  int selected) {
    ControlId id = Add(ControlKind::EditableDropDown, std::move(caption));
    SetChoices(id, std::move(choices), selected);
    return id;
}

ControlId CPage::CheckBox(std::string caption, bool checked, Handler onClick) {
    ControlId id = Add(ControlKind::CheckBox, std::move(caption));
    controls_[id].checked = checked;
    behaviours_[id].action = std::move(onClick);
    return id;
}

ControlId CPage::RadioButton(std::string caption, std::string choiceName, bool checked,
                             Handler onClick) {
    ControlId id = Add(ControlKind::RadioButton, std::move(caption));
    controls_[id].choiceName = std::move(choiceName);
    controls_[id].checked = checked;
    behaviours_[id].action = std::move(onClick);
    return id;
}

ControlId CPage::Button(std::string caption, Handler onPress) {
    ControlId id = Add(ControlKind::PushButton, std::move(caption));
    behaviours_[id] = {std::move(onPress), true, {}, {}, {}, {}};
    return id;
}

ControlId CPage::Slider(std::string caption, int minimum, int maximum, int position, bool vertical,
                        Handler onRelease, Handler onMove) {
    ControlId id = Add(ControlKind::Slider, std::move(caption));
    Control& slider = controls_[id];
    slider.minimum = minimum;
    slider.maximum = maximum;
    slider.position = position;
    slider.vertical = vertical;
    behaviours_[id] = {std::move(onRelease), true, std::move(onMove), {}, {}, {}};
    return id;
}

ControlId CPage::IpAddress(std::string caption, std::string dotted) {
    ControlId id = Add(ControlKind::IpAddress, std::move(caption));
    controls_[id].text = std::move(dotted);
    return id;
}

ControlId CPage::DatePicker(std::string caption, std::string date) {
    ControlId id = Add(ControlKind::DatePicker, std::move(caption));
    controls_[id].text = std::move(date);
    return id;
}

ControlId CPage::TimePicker(std::string caption, std::string time) {
    ControlId id = Add(ControlKind::TimePicker, std::move(caption));
    controls_[id].text = std::move(time);
    return id;
}

ControlId CPage::ReportList(std::string caption, std::vector<std::string> columns) {
    ControlId id = Add(ControlKind::ReportList, std::move(caption));
    controls_[id].columns = std::move(columns);
    return id;
}

ControlId CPage::Picture(std::string resource) {
    ControlId id = Add(ControlKind::Picture, {});
    controls_[id].text = std::move(resource);
    return id;
}

void CPage::EnableWhen(ControlId id, std::function<bool()> rule, std::string reason) {
    EnableWhen(id, std::move(rule), [reason = std::move(reason)] { return reason; });
}

void CPage::EnableWhen(ControlId id, std::function<bool()> rule,
                       std::function<std::string()> reason) {
    behaviours_[id].enabledWhen = std::move(rule);
    behaviours_[id].disabledReason = std::move(reason);
}

std::string CPage::DisabledReason(ControlId id) const {
    const auto& reason = behaviours_[id].disabledReason;
    return controls_[id].enabled || !reason ? std::string() : reason();
}

void CPage::CopyStateFrom(const CPage& other) {
    if (other.controls_.size() == controls_.size()) controls_ = other.controls_;
}

void CPage::ShowWhen(ControlId id, std::function<bool()> rule) {
    behaviours_[id].shownWhen = std::move(rule);
}

void CPage::OnChosen(ControlId id, Handler handler) {
    behaviours_[id].action = std::move(handler);
}

// Paths are made of what the operator reads: the group's caption, the row's label, and the
// control's own caption; a control without one is named by the label of its row, or by the
// button of its row followed by "/value". A label's own path ends in "/label".
void CPage::AssignPaths() const {
    if (pathsAssigned_) return;
    auto base = [&](ControlId id) {
        std::string path;
        ControlId group = controls_[id].group;
        if (group >= 0) path = controls_[group].path;
        const std::string& rowLabel = rowLabels_[id];
        if (!rowLabel.empty()) path += (path.empty() ? "" : "/") + rowLabel;
        return path;
    };
    auto join = [](const std::string& head, const std::string& tail) {
        return head.empty() ? tail : head + "/" + tail;
    };
    auto sameRow = [&](ControlId a, ControlId b) {
        return controls_[a].group == controls_[b].group && controls_[a].row == controls_[b].row &&
               controls_[b].kind != ControlKind::Group;
    };
    for (ControlId id = 0; id < static_cast<ControlId>(controls_.size()); ++id) {
        Control& control = controls_[id];
        if (control.kind == ControlKind::Group) {
            control.path =
                join(control.group >= 0 ? controls_[control.group].path : "", control.caption);
        } else if (control.kind == ControlKind::Label) {
            // A row label's base already ends in its text; a value label goes by its name.
            std::string head = !control.caption.empty()         ? join(base(id), control.caption)
                               : rowLabels_[id] == control.text ? base(id)
                                                                : join(base(id), control.text);
            control.path = join(head, "label");
        } else if (!control.caption.empty()) {
            control.path = join(base(id), control.caption);
        }
    }
    for (ControlId id = 0; id < static_cast<ControlId>(controls_.size()); ++id) {
        Control& control = controls_[id];
        if (!control.path.empty()) continue;
        std::string name;
        for (ControlId other = 0; other < static_cast<ControlId>(controls_.size()); ++other) {
            const Control& beside = controls_[other];
            if (other == id || !sameRow(id, other)) continue;
            if (beside.kind == ControlKind::Label && beside.caption.empty() &&
                rowLabels_[other] != beside.text) {
                name = join(base(id), beside.text);
                break;
            }
            if (beside.kind == ControlKind::PushButton && name.empty()) {
                name = join(join(base(id), beside.caption), "value");
            }
        }
        if (name.empty()) name = join(base(id), ControlKindName(control.kind));
        control.path = name;
    }
    pathsAssigned_ = true;
}

const std::vector<Control>& CPage::Controls() const {
    AssignPaths();
    return controls_;
}

std::optional<ControlId> CPage::Find(std::string_view path) const {
    const auto& controls = Controls();
    for (ControlId id = 0; id < static_cast<ControlId>(controls.size()); ++id) {
        if (controls[id].path == path) return id;
    }
    return std::nullopt;
}

void CPage::Create() {
    created_ = true;
    OnInitDialog();
    ApplyRules();
    Changed();
}

void CPage::Destroy() {
    if (!created_) return;
    OnDestroy();
    created_ = false;
}

ActionResult CPage::Usable(ControlId id) const {
    if (id < 0 || id >= static_cast<ControlId>(controls_.size())) return ActionResult::NotFound;
    if (!controls_[id].visible) return ActionResult::Hidden;
    if (!controls_[id].enabled) return ActionResult::Disabled;
    return ActionResult::Done;
}

void CPage::Act(ControlId id) {
    const Behaviour& behaviour = behaviours_[id];
    if (behaviour.action && (!behaviour.exchangeFirst || ExchangeData())) behaviour.action();
    ApplyRules();
    Changed();
}

ActionResult CPage::Press(ControlId id) {
    if (ActionResult usable = Usable(id); usable != ActionResult::Done) return usable;
    Control& control = controls_[id];
    switch (control.kind) {
        case ControlKind::RadioButton:
            Check(id, true);
            break;
        case ControlKind::CheckBox:
            control.checked = !control.checked;
            break;
        case ControlKind::PushButton:
        case ControlKind::Slider:
            break;
        default:
            return ActionResult::WrongKind;
    }
    Act(id);
    return ActionResult::Done;
}

ActionResult CPage::EnterText(ControlId id, std::string text) {
    if (ActionResult usable = Usable(id); usable != ActionResult::Done) return usable;
    if (!HoldsText(controls_[id].kind)) return ActionResult::WrongKind;
    SetText(id, std::move(text));
    Changed();
    return ActionResult::Done;
}

ActionResult CPage::ChooseEntry(ControlId id, int index) {
    if (ActionResult usable = Usable(id); usable != ActionResult::Done) return usable;
    Control& control = controls_[id];
    bool isList =
        control.kind == ControlKind::DropDownList || control.kind == ControlKind::EditableDropDown;
    if (!isList && control.kind != ControlKind::ReportList) return ActionResult::WrongKind;
    size_t count = isList ? control.choices.size() : control.rows.size();
    if (index < 0 || static_cast<size_t>(index) >= count) return ActionResult::BadValue;
    Select(id, index);
    Act(id);
    return ActionResult::Done;
}

ActionResult CPage::Tick(ControlId id, bool checked) {
    if (ActionResult usable = Usable(id); usable != ActionResult::Done) return usable;
    if (controls_[id].kind != ControlKind::CheckBox) return ActionResult::WrongKind;
    if (controls_[id].checked == checked) return ActionResult::Done;
    return Press(id);
}

ActionResult CPage::Drag(ControlId id, int position) {
    if (ActionResult usable = Usable(id); usable != ActionResult::Done) return usable;
    if (controls_[id].kind != ControlKind::Slider) return ActionResult::WrongKind;
    SetPosition(id, position);
    if (behaviours_[id].onMove) behaviours_[id].onMove();
    Changed();
    return ActionResult::Done;
}

ActionResult CPage::SetValue(ControlId id, const std::string& value) {
    if (ActionResult usable = Usable(id); usable != ActionResult::Done) return usable;
    const Control& control = controls_[id];
    switch (control.kind) {
        case ControlKind::DropDownList: {
            auto found = std::find(control.choices.begin(), control.choices.end(), value);
            if (found == control.choices.end()) return ActionResult::BadValue;
            return ChooseEntry(id, static_cast<int>(found - control.choices.begin()));
        }
        case ControlKind::EditableDropDown: {
            auto found = std::find(control.choices.begin(), control.choices.end(), value);
            if (found != control.choices.end()) {
                return ChooseEntry(id, static_cast<int>(found - control.choices.begin()));
            }
            return EnterText(id, value);
        }
        case ControlKind::ReportList:
            for (size_t row = 0; row < control.rows.size(); ++row) {
                if (!control.rows[row].empty() && control.rows[row][0] == value) {
                    return ChooseEntry(id, static_cast<int>(row));
                }
            }
            return ActionResult::BadValue;
        case ControlKind::CheckBox:
            if (value != "0" && value != "1") return ActionResult::BadValue;
            return Tick(id, value == "1");
        case ControlKind::RadioButton:
            if (value != "1") return ActionResult::BadValue;
            return Press(id);
        case ControlKind::Slider: {
            auto position = ParseInteger(value);
            if (!position || *position < control.minimum || *position > control.maximum) {
                return ActionResult::BadValue;
            }
            return Drag(id, static_cast<int>(*position));
        }
        default:
            return EnterText(id, value);
    }
}

void CPage::ApplyRules() {
    for (ControlId id = 0; id < static_cast<ControlId>(controls_.size()); ++id) {
        const Behaviour& behaviour = behaviours_[id];
        if (behaviour.enabledWhen) controls_[id].enabled = behaviour.enabledWhen();
        if (behaviour.shownWhen) controls_[id].visible = behaviour.shownWhen();
    }
}

void CPage::Changed() {
    if (changed_) changed_();
}

std::string CPage::Text(ControlId id) const {
    const Control& control = controls_[id];
    if (control.kind == ControlKind::DropDownList) {
        bool chosen =
            control.selected >= 0 && static_cast<size_t>(control.selected) < control.choices.size();
        return chosen ? control.choices[control.selected] : std::string();
    }
    return control.text;
}

int64_t CPage::Integer(ControlId id) const {
    return ParseInteger(controls_[id].text).value_or(0);
}

void CPage::SetText(ControlId id, std::string text) {
    Control& control = controls_[id];
    if (control.kind == ControlKind::EditableDropDown) {
        auto found = std::find(control.choices.begin(), control.choices.end(), text);
        control.selected =
            found == control.choices.end() ? -1 : static_cast<int>(found - control.choices.begin());
    }
    control.text = std::move(text);
}

void CPage::Select(ControlId id, int index) {
    Control& control = controls_[id];
    control.selected = index;
    if (control.kind == ControlKind::EditableDropDown) {
        control.text = index >= 0 && static_cast<size_t>(index) < control.choices.size()
                           ? control.choices[index]
                           : std::string();
    }
}

bool CPage::SelectText(ControlId id, const std::string& text) {
    const auto& choices = controls_[id].choices;
    auto found = std::find(choices.begin(), choices.end(), text);
    if (found == choices.end()) return false;
    Select(id, static_cast<int>(found - choices.begin()));
    return true;
}

void CPage::SetChoices(ControlId id, std::vector<std::string> choices, int selected) {
    Control& control = controls_[id];
    if (control.sortedChoices) std::sort(choices.begin(), choices.end());
    control.choices = std::move(choices);
    Select(id, control.choices.empty()
                   ? -1
                   : std::clamp(selected, -1, static_cast<int>(control.choices.size()) - 1));
}

void CPage::Check(ControlId id, bool checked) {
    Control& control = controls_[id];
    if (control.kind == ControlKind::RadioButton && checked) {
        for (Control& other : controls_) {
            if (other.kind == ControlKind::RadioButton && other.choiceName == control.choiceName) {
                other.checked = false;
            }
        }
    }
    control.checked = checked;
}

void CPage::SetPosition(ControlId id, int position) {
    Control& slider = controls_[id];
    slider.position = std::clamp(position, slider.minimum, slider.maximum);
}

void CPage::SetRows(ControlId id, std::vector<std::vector<std::string>> rows) {
    Control& list = controls_[id];
    list.rows = std::move(rows);
    if (list.selected >= static_cast<int>(list.rows.size())) list.selected = -1;
}

bool CPage::ExchangeData() {
    for (const Control& control : controls_) {
        std::string failure;
        if (control.kind == ControlKind::IntegerEdit) {
            std::optional<int64_t> value = ParseInteger(control.text);
            if (!value) {
                failure = "Please enter an integer.";
            } else if (control.range &&
                       (*value < control.range->first || *value > control.range->second)) {
                failure = Replace(Replace("Please enter an integer between %1 and %2.", "%1",
                                          std::to_string(control.range->first)),
                                  "%2", std::to_string(control.range->second));
            }
        } else if (control.maxLength > 0 && control.text.size() > control.maxLength) {
            failure = Replace("Please enter no more than %1 characters.", "%1",
                              std::to_string(control.maxLength));
        }
        if (!failure.empty()) {
            Ask(failure, MessageButtons::Ok, MessageIcon::Warning);
            return false;
        }
    }
    return true;
}

MessageAnswer CPage::Ask(const std::string& text, MessageButtons buttons, MessageIcon icon) {
    return host_.Window().MessageBox(text, kMessageCaption, buttons, icon);
}

const ProtocolInfo* CPage::CurrentProtocol() const {
    return product_ ? product_->CurrentProtocol() : nullptr;
}

}  // namespace zel
