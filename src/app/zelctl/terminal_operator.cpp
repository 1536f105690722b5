#include "app/zelctl/terminal_operator.h"

#include <vector>

#include "app/zelctl/arguments.h"
#include "terminal/connection_config.h"

namespace zel::ctl {

namespace {

// What --set takes for a control, said when a value does not fit.
std::string ValuesTaken(const Control& control) {
    switch (control.kind) {
        case ControlKind::CheckBox:
            return "0 or 1";
        case ControlKind::RadioButton:
            return "1 (choosing it)";
        case ControlKind::Slider:
            return "a position from " + std::to_string(control.minimum) + " to " +
                   std::to_string(control.maximum);
        default:
            return "one of: " + Joined(Choices(control), ", ");
    }
}

}  // namespace

std::vector<std::string> FirstColumn(const Control& control) {
    std::vector<std::string> column;
    for (const auto& row : control.rows) column.push_back(row.empty() ? "" : row.front());
    return column;
}

std::vector<std::string> Choices(const Control& control) {
    return control.kind == ControlKind::ReportList ? FirstColumn(control) : control.choices;
}

std::string Joined(const std::vector<std::string>& texts, const std::string& separator) {
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : separator) + text;
    return joined;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void TerminalOperator::ChooseProduct(const std::string& name) {
    ProductInfo* product = FindProduct(terminal_.Catalog(), name);
    if (!product) {
        throw Refusal{exit_status::kNotFound,
                      "no product " + Quoted(name) +
                          "; the products are: " + Joined(terminal_.ProductNames(), ", ")};
    }
    // Choosing the product already shown changes nothing, as in the product list; it keeps
    // the stored connection's ports.
    if (terminal_.CurrentProduct() != product) terminal_.SelectProduct(name);
}

void TerminalOperator::ChooseConnection(std::optional<int> connection,
                                        const std::optional<std::string>& protocol) {
    if (!connection && !protocol) return;
    ProductInfo& product = *terminal_.CurrentProduct();
    int type = connection.value_or(terminal_.Profile().connectionType);
    if (!product.Supports(type)) {
        std::vector<std::string> offered;
        for (int other : {kSerial, kEthernet, kUsb}) {
            if (product.Supports(other)) offered.push_back(ConnectionName(other));
        }
        throw Refusal{exit_status::kNotFound, product.Name() + " has no " + ConnectionName(type) +
                                                  " connection; it has: " + Joined(offered, ", ")};
    }
    ConnectionProfile profile = terminal_.Profile();
    profile.connectionType = type;
    if (protocol) {
        product.SetCurrentConnection(type);
        const ProtocolInfo* current = product.CurrentProtocol();
        if (!current || current->GetName() != *protocol) {
            CConnectionConfig setup(product, profile, terminal_.Serial(), terminal_.Window());
            setup.OnConnectionClicked(type);
            setup.OnProtocolSelected(*protocol);
            profile = setup.Values();
        }
        if (product.CurrentProtocol() == nullptr ||
            product.CurrentProtocol()->GetName() != *protocol) {
            std::vector<std::string> names;
            for (const ProtocolInfo& offered : product.Protocols(type)) {
                names.push_back(offered.GetName());
            }
            throw Refusal{exit_status::kNotFound,
                          product.Name() + " has no protocol " + Quoted(*protocol) + " on its " +
                              ConnectionName(type) + " connection; it has: " + Joined(names, ", ")};
        }
    }
    terminal_.UseConnectionProfile(profile);
    if (guard_) {
        if (std::string problem = guard_->Problem(type); !problem.empty()) {
            throw Refusal{exit_status::kNotSent, problem};
        }
    } else if (terminal_.Profile().connectionType != type) {
        throw Refusal{exit_status::kNotSent, "the " + std::string(ConnectionName(type)) +
                                                 " connection cannot be used on this computer now"};
    }
}

CPage& TerminalOperator::ShowPage(const std::string& title) {
    if (CPage* page = terminal_.Sheet().ActivateTab(title)) return *page;
    std::vector<std::string> titles;
    for (const auto& tab : terminal_.Sheet().Tabs()) titles.push_back(tab.title);
    throw Refusal{exit_status::kNotFound, terminal_.CurrentProduct()->Name() + " has no page " +
                                              Quoted(title) +
                                              "; its pages are: " + Joined(titles, ", ")};
}

void TerminalOperator::Set(CPage& page, const std::string& path, const std::string& value) {
    ControlId id = FindControl(page, path);
    Check(page, id, page.SetValue(id, value), value);
}

void TerminalOperator::Press(CPage& page, const std::string& path) {
    ControlId id = FindControl(page, path);
    Check(page, id, page.Press(id), std::nullopt);
}

void TerminalOperator::SendCustomString(const std::string& customString) {
    size_t logged = terminal_.Log().Text().size();
    std::string commandText;
    if (!terminal_.ValidateCustomString(customString, commandText)) {
        std::string error = terminal_.Log().Text().substr(logged);
        while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
        throw Refusal{exit_status::kNotFound,
                      Quoted(customString) + " is not a custom string: " + error};
    }
    terminal_.SendCommand(commandText, false);
}

ControlId TerminalOperator::FindControl(const CPage& page, const std::string& path) {
    if (auto id = page.Find(path)) return *id;
    std::vector<std::string> paths;
    for (const Control& control : page.Controls()) paths.push_back(control.path);
    throw Refusal{exit_status::kNotFound, "the " + page.Title() + " page has no control " +
                                              Quoted(path) + "; its controls are:\n  " +
                                              Joined(paths, "\n  ")};
}

// Turns an action's result into a refusal; `value` is what --set gave, nothing for a press.
void TerminalOperator::Check(const CPage& page, ControlId id, ActionResult result,
                             const std::optional<std::string>& value) {
    const Control& control = page.At(id);
    const std::string what = Quoted(control.path) + " (" + ControlKindName(control.kind) + ")";
    switch (result) {
        case ActionResult::Done:
            return;
        case ActionResult::Disabled:
            throw Refusal{exit_status::kUnusableNow, what + " is disabled now"};
        case ActionResult::Hidden:
            throw Refusal{exit_status::kUnusableNow, what + " is not shown now"};
        case ActionResult::WrongKind:
            throw Refusal{exit_status::kNotFound,
                          what + (!value ? " cannot be pressed; press takes a button, radio "
                                           "button, check box or slider"
                                         : " holds no value to set")};
        case ActionResult::BadValue:
            throw Refusal{exit_status::kNotFound, Quoted(value.value_or("")) +
                                                      " is not a value of " + what + "; it takes " +
                                                      ValuesTaken(control)};
        case ActionResult::NotFound:
            break;
    }
    throw Refusal{exit_status::kNotFound, what + " was not found"};
}

}  // namespace zel::ctl
