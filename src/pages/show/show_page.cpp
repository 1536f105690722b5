#include "pages/show/show_page.h"

#include <charconv>
#include <vector>

#include "services/framing.h"

namespace zel {
namespace {

// The control byte of every packet is the index of the chosen format.
const std::vector<std::string> kResponseFormats{"No Reponse", "Ack/Nack - 0xAA/0x55",
                                                "Return Full Message Then Ack/Nack"};
constexpr int kAckNack = 1;

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> numbers;
    for (int number = first; number <= last; ++number) numbers.push_back(std::to_string(number));
    return numbers;
}

}  // namespace

CShowTabDlg::CShowTabDlg(IPageHost& host) : CPage(host, "Control") {
    Group("Outputs");
    Label("Turn Output");
    outputs_ = DropDownList({}, {});
    ControlId outputOn =
        Button("On", [this] { SendAction(ShowAction::OutputOn, outputs_, "an output"); });
    ControlId outputOff =
        Button("Off", [this] { SendAction(ShowAction::OutputOff, outputs_, "an output"); });
    EndGroup();

    Group("Flags");
    Label("Turn Flag");
    flags_ = DropDownList({}, {});
    ControlId flagOn = Button("On", [this] { SendAction(ShowAction::FlagOn, flags_, "a flag"); });
    ControlId flagOff =
        Button("Off", [this] { SendAction(ShowAction::FlagOff, flags_, "a flag"); });
    EndGroup();

    Group("Sequences", 1);
    sequences_ = EditableDropDown({}, {});
    ControlId start = Button("Start", [this] {
        SendAction(ShowAction::SequenceStart, sequences_, "a sequence number");
    });
    EndGroup();

    // Reads as the operator says it: "Set Var 3 / to 0".
    Group("Variables", 1);
    ControlId setVariable = Button("Set Var", [this] { OnSetVariable(); });
    variables_ = EditableDropDown({}, {});
    Row();
    Label("to");
    values_ = EditableDropDown({}, {});
    EndGroup();

    Group("Format of Responses");
    responses_ = DropDownList({}, kResponseFormats, kAckNack);
    EndGroup();

    EnableByCount({outputs_, outputOn, outputOff}, kOutputs);
    EnableByCount({flags_, flagOn, flagOff}, kFlags);
    EnableByCount({sequences_, start}, kSequences);
    EnableByCount({variables_, values_, setVariable}, kVariables);
}

int CShowTabDlg::Count(Range range) const {
    return Product() ? Product()->Caps().showRanges[range] : 0;
}

void CShowTabDlg::EnableByCount(std::initializer_list<ControlId> controls, Range range) {
    for (ControlId control : controls) {
        EnableWhen(
            control, [this, range] { return Count(range) > 0; }, "This product has none");
    }
}

void CShowTabDlg::OnInitDialog() {
    SetChoices(outputs_, Numbers(1, Count(kOutputs)));
    SetChoices(flags_, Numbers(1, Count(kFlags)));
    SetChoices(sequences_, Numbers(1, Count(kSequences)));
    SetChoices(variables_, Numbers(1, Count(kVariables)));
    SetChoices(values_, Numbers(0, Count(kLargestValue)));
    SetChoices(responses_, kResponseFormats, kAckNack);
}

std::optional<int> CShowTabDlg::ChosenNumber(ControlId list, const char* what) {
    const Control& control = At(list);
    int number = 0;
    if (control.selected >= 0 && static_cast<size_t>(control.selected) < control.choices.size()) {
        const std::string& item = control.choices[control.selected];
        auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), number);
        if (error == std::errc() && end == item.data() + item.size()) return number;
    }
    Ask(std::string("Choose ") + what + " from the list.", MessageButtons::Ok,
        MessageIcon::Warning);
    return std::nullopt;
}

void CShowTabDlg::SendAction(ShowAction action, ControlId list, const char* what) {
    if (auto number = ChosenNumber(list, what)) SendPacket(BuildShowMessage(action, *number));
}

void CShowTabDlg::OnSetVariable() {
    auto variable = ChosenNumber(variables_, "a variable number");
    if (!variable) return;
    auto value = ChosenNumber(values_, "a value");
    if (!value) return;
    SendPacket(BuildShowMessage(ShowAction::SetVariable, *variable, *value));
}

void CShowTabDlg::SendPacket(const std::string& message) {
    Send(BuildEightBitPacket(message, static_cast<uint8_t>(Selected(responses_))), false);
}

}  // namespace zel
