#include "app/zelctl/controller.h"

#include <optional>
#include <string>
#include <vector>

namespace zel::ctl {

namespace {

// A request that cannot be carried out, with the exit status it ends in.
struct Refusal {
    int status;
    std::string message;
};

std::string Joined(const std::vector<std::string>& texts, const std::string& separator) {
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : separator) + text;
    return joined;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::vector<std::string> FirstColumn(const Control& control) {
    std::vector<std::string> column;
    for (const auto& row : control.rows) column.push_back(row.empty() ? "" : row.front());
    return column;
}

std::optional<std::string> ChosenEntry(const std::vector<std::string>& entries, int selected) {
    if (selected < 0 || static_cast<size_t>(selected) >= entries.size()) return std::nullopt;
    return entries[selected];
}

void AddValue(JsonObject& object, const Control& control) {
    switch (control.kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            object.Add("value", control.checked);
            break;
        case ControlKind::Slider:
            object.Add("value", control.position);
            break;
        case ControlKind::DropDownList:
            object.Add("value", ChosenEntry(control.choices, control.selected));
            break;
        case ControlKind::ReportList:
            object.Add("value", ChosenEntry(FirstColumn(control), control.selected));
            break;
        case ControlKind::Group:
        case ControlKind::PushButton:
            object.Add("value", std::optional<std::string>());
            break;
        default:
            object.Add("value", control.text);
            break;
    }
}

std::vector<std::string> Choices(const Control& control) {
    return control.kind == ControlKind::ReportList ? FirstColumn(control) : control.choices;
}

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

int Controller::Run(const Invocation& invocation) {
    try {
        switch (invocation.command) {
            case Command::Products:
                ListProducts();
                break;
            case Command::Pages:
                ListPages(invocation);
                break;
            case Command::Controls:
                ListControls(invocation);
                break;
            case Command::Press:
                Press(invocation);
                break;
            case Command::Send:
                Send(invocation);
                break;
            case Command::Help:
                break;
        }
    } catch (const Refusal& refusal) {
        errors_ << "zelctl: " << refusal.message << "\n" << std::flush;
        return refusal.status;
    }
    return exit_status::kDone;
}

void Controller::ListProducts() {
    const std::vector<std::string>& names = terminal_.ProductNames();
    for (size_t position = 0; position < names.size(); ++position) {
        const ProductInfo* product = FindProduct(terminal_.Catalog(), names[position]);
        out_.Write(JsonObject()
                       .Add("position", static_cast<int64_t>(position))
                       .Add("index", static_cast<int64_t>(product ? product->Index() : 0))
                       .Add("name", names[position]));
    }
}

void Controller::ListPages(const Invocation& invocation) {
    ChooseProduct(invocation.product);
    const auto& tabs = terminal_.Sheet().Tabs();
    for (size_t index = 0; index < tabs.size(); ++index) {
        out_.Write(
            JsonObject().Add("index", static_cast<int64_t>(index)).Add("title", tabs[index].title));
    }
}

void Controller::ListControls(const Invocation& invocation) {
    const CPage& page = ShowPage(invocation);
    for (const Control& control : page.Controls()) {
        JsonObject object;
        object.Add("path", control.path).Add("kind", ControlKindName(control.kind));
        AddValue(object, control);
        object.Add("enabled", control.enabled)
            .Add("visible", control.visible)
            .Add("choices", Choices(control));
        out_.Write(object);
    }
}

void Controller::Press(const Invocation& invocation) {
    CPage& page = ShowPage(invocation);
    for (const ControlValue& setting : invocation.values) {
        ControlId id = FindControl(page, setting.path);
        Check(page, id, page.SetValue(id, setting.value), setting.value);
    }
    ControlId pressed = FindControl(page, invocation.path);
    Check(page, pressed, page.Press(pressed), std::nullopt);
}

void Controller::Send(const Invocation& invocation) {
    ChooseConnection(invocation);
    size_t logged = terminal_.Log().Text().size();
    std::string commandText;
    if (!terminal_.ValidateCustomString(invocation.customString, commandText)) {
        std::string error = terminal_.Log().Text().substr(logged);
        while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
        throw Refusal{exit_status::kNotFound,
                      Quoted(invocation.customString) + " is not a custom string: " + error};
    }
    terminal_.SendCommand(commandText, false);
}

void Controller::ChooseProduct(const std::string& name) {
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

void Controller::ChooseConnection(const Invocation& invocation) {
    if (!invocation.connection && !invocation.protocol) return;
    ProductInfo& product = *terminal_.CurrentProduct();
    int type = invocation.connection.value_or(terminal_.Profile().connectionType);
    if (!product.Supports(type)) {
        std::vector<std::string> offered;
        for (int other : {kSerial, kEthernet, kUsb}) {
            if (product.Supports(other)) offered.push_back(ConnectionName(other));
        }
        throw Refusal{exit_status::kNotFound, product.Name() + " has no " + ConnectionName(type) +
                                                  " connection; it has: " + Joined(offered, ", ")};
    }
    if (invocation.protocol) {
        product.SetCurrentConnection(type);
        if (!product.SelectProtocolByName(*invocation.protocol)) {
            std::vector<std::string> names;
            for (const ProtocolInfo& protocol : product.Protocols(type)) {
                names.push_back(protocol.GetName());
            }
            throw Refusal{exit_status::kNotFound,
                          product.Name() + " has no protocol " + Quoted(*invocation.protocol) +
                              " on its " + ConnectionName(type) +
                              " connection; it has: " + Joined(names, ", ")};
        }
    }
    terminal_.SelectConnection(type);
    if (terminal_.Profile().connectionType != type) {
        throw Refusal{exit_status::kConnectionUnusable,
                      "the " + std::string(ConnectionName(type)) +
                          " connection cannot be used on this computer now"};
    }
}

CPage& Controller::ShowPage(const Invocation& invocation) {
    ChooseProduct(invocation.product);
    ChooseConnection(invocation);
    if (CPage* page = terminal_.Sheet().ActivateTab(invocation.page)) return *page;
    std::vector<std::string> titles;
    for (const auto& tab : terminal_.Sheet().Tabs()) titles.push_back(tab.title);
    throw Refusal{exit_status::kNotFound, invocation.product + " has no page " +
                                              Quoted(invocation.page) +
                                              "; its pages are: " + Joined(titles, ", ")};
}

ControlId Controller::FindControl(const CPage& page, const std::string& path) {
    if (auto id = page.Find(path)) return *id;
    std::vector<std::string> paths;
    for (const Control& control : page.Controls()) paths.push_back(control.path);
    throw Refusal{exit_status::kNotFound, "the " + page.Title() + " page has no control " +
                                              Quoted(path) + "; its controls are:\n  " +
                                              Joined(paths, "\n  ")};
}

// Turns an action's result into a refusal; `value` is what --set gave, nothing for a press.
void Controller::Check(const CPage& page, ControlId id, ActionResult result,
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
