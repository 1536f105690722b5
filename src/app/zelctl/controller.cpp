#include "app/zelctl/controller.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace zel::ctl {

namespace {

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

Step MakeStep(StepKind kind, std::string name, std::string value = {}) {
    Step step;
    step.kind = kind;
    step.name = std::move(name);
    step.value = std::move(value);
    return step;
}

// What follows a press or send: the expected reply, then the wait.
void AddReplySteps(const Invocation& invocation, std::vector<Step>& steps) {
    if (invocation.expect) {
        Step expect = MakeStep(StepKind::Expect, *invocation.expect);
        expect.ms = invocation.timeoutMs;
        steps.push_back(expect);
    }
    if (invocation.waitMs > 0) {
        Step wait = MakeStep(StepKind::Wait, {});
        wait.ms = invocation.waitMs;
        steps.push_back(wait);
    }
}

std::vector<Step> PressSteps(const Invocation& invocation) {
    std::vector<Step> steps = {MakeStep(StepKind::Product, invocation.product),
                               MakeStep(StepKind::Page, invocation.page)};
    for (const ControlValue& setting : invocation.values) {
        steps.push_back(MakeStep(StepKind::Set, setting.path, setting.value));
    }
    steps.push_back(MakeStep(StepKind::Press, invocation.path));
    AddReplySteps(invocation, steps);
    return steps;
}

std::vector<Step> SendSteps(const Invocation& invocation) {
    std::vector<Step> steps = {MakeStep(StepKind::Send, invocation.customString)};
    AddReplySteps(invocation, steps);
    return steps;
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
                RunSteps(invocation, PressSteps(invocation));
                break;
            case Command::Send:
                RunSteps(invocation, SendSteps(invocation));
                break;
            case Command::Run:
                return RunScript(invocation);
            case Command::Devices:
                if (invocation.exportSheet) {
                    parts_.events.WriteRaw(devices_->Export());
                } else if (!invocation.importPath.empty()) {
                    ImportDevices(invocation.importPath);
                } else {
                    ListDevices();
                }
                break;
            case Command::Help:
                break;
        }
    } catch (const Refusal& refusal) {
        errors_ << "zelctl: " << refusal.message << "\n" << std::flush;
        failure_ = Failure{std::nullopt, refusal.message};
        return refusal.status;
    }
    return exit_status::kDone;
}

void Controller::ListProducts() {
    const std::vector<std::string>& names = parts_.terminal.ProductNames();
    for (size_t position = 0; position < names.size(); ++position) {
        const ProductInfo* product = FindProduct(parts_.terminal.Catalog(), names[position]);
        parts_.events.Write(JsonObject()
                                .Add("position", static_cast<int64_t>(position))
                                .Add("index", static_cast<int64_t>(product ? product->Index() : 0))
                                .Add("name", names[position]));
    }
}

void Controller::ListPages(const Invocation& invocation) {
    operator_.ChooseProduct(invocation.product);
    const auto& tabs = parts_.terminal.Sheet().Tabs();
    for (size_t index = 0; index < tabs.size(); ++index) {
        parts_.events.Write(
            JsonObject().Add("index", static_cast<int64_t>(index)).Add("title", tabs[index].title));
    }
}

void Controller::ListControls(const Invocation& invocation) {
    operator_.ChooseProduct(invocation.product);
    operator_.ChooseConnection(invocation.connection, invocation.protocol);
    const CPage& page = operator_.ShowPage(invocation.page);
    for (const Control& control : page.Controls()) {
        JsonObject object;
        object.Add("path", control.path).Add("kind", ControlKindName(control.kind));
        AddValue(object, control);
        object.Add("enabled", control.enabled)
            .Add("visible", control.visible)
            .Add("choices", Choices(control));
        parts_.events.Write(object);
    }
}

SessionOptions Controller::OptionsOf(const Invocation& invocation) {
    return {invocation.connection, invocation.protocol, invocation.dryRun, chosen_};
}

Session Controller::StartSession(const Invocation& invocation, const std::vector<Step>& steps) {
    SessionOptions options = OptionsOf(invocation);
    const bool onDevice = options.device.has_value();
    Session session(parts_, std::move(options));
    // A device has its own connection; a first product step takes the connection for its
    // product; a first connection step chooses one itself.
    const bool chooses = !steps.empty() && (steps.front().kind == StepKind::Product ||
                                            steps.front().kind == StepKind::Connection);
    if (onDevice || !chooses) session.UseSessionConnection();
    return session;
}

void Controller::ListDevices() {
    for (const Device& device : devices_->Devices()) {
        JsonObject object;
        object.Add("name", device.name)
            .Add("product", device.product)
            .Add("connection", DeviceConnectionName(device.connection))
            .Add("address", device.address)
            .Add("localPort", static_cast<int64_t>(device.localPort))
            .Add("productPort", static_cast<int64_t>(device.productPort))
            .Add("protocol", device.protocol);
        if (device.unitAddress) {
            object.Add("unitAddress", *device.unitAddress);
        } else {
            object.Add("unitAddress", std::optional<std::string>());
        }
        parts_.events.Write(object);
    }
}

void Controller::ImportDevices(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw Refusal{exit_status::kNotFound, "cannot read the sheet " + Quoted(path)};
    std::ostringstream text;
    text << file.rdbuf();
    DeviceImport imported = devices_->Import(text.str());
    if (!imported.errors.empty()) {
        throw Refusal{exit_status::kNotFound,
                      path + ": nothing imported:\n  " + Joined(imported.errors, "\n  ")};
    }
    parts_.events.Write(JsonObject()
                            .Add("event", "imported")
                            .Add("added", imported.added)
                            .Add("replaced", imported.replaced));
}

void Controller::RunSteps(const Invocation& invocation, const std::vector<Step>& steps) {
    Session session = StartSession(invocation, steps);
    for (const Step& step : steps) session.Perform(step);
}

std::string Controller::ReadScript(const std::string& path) {
    std::ostringstream text;
    if (path == "-") {
        text << standardInput_.rdbuf();
        return text.str();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) throw Refusal{exit_status::kNotFound, "cannot read the script " + Quoted(path)};
    text << file.rdbuf();
    return text.str();
}

int Controller::RunScript(const Invocation& invocation) {
    ParsedScript script = ParseScript(ReadScript(invocation.scriptPath));
    if (!script.error.empty()) {
        throw Refusal{exit_status::kNotFound, invocation.scriptPath + " " + script.error};
    }
    Session session = StartSession(invocation, script.steps);
    for (const Step& step : script.steps) {
        parts_.events.SetStep(step.line);
        try {
            session.Perform(step);
        } catch (const Refusal& refusal) {
            JsonObject failed;
            failed.Add("event", "failed")
                .Add("line", step.text)
                .Add("status", refusal.status)
                .Add("message", refusal.message);
            if (refusal.received) failed.Add("received", *refusal.received);
            parts_.events.Write(failed);
            errors_ << "zelctl: step " << step.line << " (" << step.text << "): " << refusal.message
                    << "\n"
                    << std::flush;
            failure_ = Failure{step.line, refusal.message};
            return refusal.status;
        }
    }
    return exit_status::kDone;
}

}  // namespace zel::ctl
