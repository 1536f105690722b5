// An operator let loose on the property sheet: the input picks a catalog product, its
// connection and a tab, then sets fields, chooses entries, drags sliders, answers message boxes,
// lets timers tick and presses buttons, on that page and on others of the same sheet.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "pages/property_sheet.h"
#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace {

using zel::ControlKind;
using zel::fuzz::Require;

constexpr int kMostActions = 48;
constexpr size_t kMostTypedBytes = 200;

enum class Action { Press, Type, Choose, Tick, Drag, SetValue, Answer, Timer, OtherTab, kCount };

std::string TypedText(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return std::to_string(input.ConsumeIntegral<int64_t>());
    return input.ConsumeRandomLengthString(kMostTypedBytes);
}

// What the renderer lets an operator type: no more than the control holds.
std::string Fitted(const zel::Control& control, std::string text) {
    if (control.maxLength > 0 && text.size() > control.maxLength) text.resize(control.maxLength);
    return text;
}

void Act(FuzzedDataProvider& input, zel::CProductPropertySheet& sheet, zel::CPage*& page,
         zel::test::FakePageHost& host) {
    const int id = input.ConsumeIntegralInRange<int>(0, int(page->Controls().size()) - 1);
    const zel::Control& control = page->At(id);
    switch (Action(input.ConsumeIntegralInRange<int>(0, int(Action::kCount) - 1))) {
        case Action::Press:
            page->Press(id);
            break;
        case Action::Type:
            page->EnterText(id, Fitted(control, TypedText(input)));
            break;
        case Action::Choose:
            page->ChooseEntry(id, input.ConsumeIntegralInRange<int>(-1, 400));
            break;
        case Action::Tick:
            page->Tick(id, input.ConsumeBool());
            break;
        case Action::Drag:
            page->Drag(id, input.ConsumeIntegral<int>());
            break;
        case Action::SetValue:
            page->SetValue(id, Fitted(control, TypedText(input)));
            break;
        case Action::Answer:
            host.window.answers.push_back(zel::MessageAnswer(input.ConsumeIntegralInRange(0, 3)));
            break;
        case Action::Timer:
            if (!host.window.timers.empty()) {
                auto timer = host.window.timers.begin();
                std::advance(
                    timer, input.ConsumeIntegralInRange<size_t>(0, host.window.timers.size() - 1));
                host.window.Tick(timer->first);
            }
            break;
        case Action::OtherTab:
            page =
                sheet.Activate(input.ConsumeIntegralInRange<int>(0, int(sheet.Tabs().size()) - 1));
            break;
        case Action::kCount:
            break;
    }
}

void CheckControls(const zel::CPage& page) {
    for (const zel::Control& control : page.Controls()) {
        switch (control.kind) {
            case ControlKind::DropDownList:
            case ControlKind::EditableDropDown:
                Require(control.selected >= -1 && control.selected < int(control.choices.size()),
                        "a list entry chosen past its entries");
                break;
            case ControlKind::ReportList:
                Require(control.selected >= -1 && control.selected < int(control.rows.size()),
                        "a row chosen past the rows");
                for (const auto& row : control.rows) {
                    Require(row.size() <= control.columns.size(), "a row wider than its list");
                }
                break;
            case ControlKind::Slider:
                Require(control.position >= control.minimum && control.position <= control.maximum,
                        "a slider past its range");
                break;
            default:
                break;
        }
    }
}

void CheckSent(const zel::test::FakePageHost& host) {
    for (const auto& sent : host.sent) {
        Require(zel::ExpandZeroMarkers(sent.text).size() <= zel::kMaxCustomStringBytes,
                "a page sent more than a custom string may hold");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<zel::ProductInfo> catalog = zel::BuildCatalog();
    zel::ProductInfo& product =
        catalog[input.ConsumeIntegralInRange<size_t>(0, catalog.size() - 1)];
    product.SetCurrentConnection(input.ConsumeIntegralInRange<int>(0, 2));
    zel::test::FakePageHost host;
    zel::CProductPropertySheet sheet(host);
    sheet.Rebuild(&product);
    Require(!sheet.Tabs().empty(), "a product without tabs");
    zel::CPage* page =
        sheet.Activate(input.ConsumeIntegralInRange<int>(0, int(sheet.Tabs().size()) - 1));
    Require(page != nullptr, "a tab without its page");
    for (int action = 0; action < kMostActions && input.remaining_bytes() > 0; ++action) {
        Act(input, sheet, page, host);
        Require(page != nullptr, "a tab without its page");
        CheckControls(*page);
    }
    CheckSent(host);
    sheet.Close();
    return 0;
}
