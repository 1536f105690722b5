#pragma once
// A terminal stand-in for page tests: it records what the pages send and shows.
#include <string>
#include <vector>

#include "products/page_base.h"
#include "services/custom_string.h"
#include "support/fakes.h"

namespace zel::test {

class FakePageHost : public IPageHost {
  public:
    struct Sent {
        std::string text;
        bool cr;
        bool operator==(const Sent&) const = default;
    };

    void SendCommand(std::string_view text, bool appendCR) override {
        sent.push_back({std::string(text), appendCR});
    }
    bool ValidateCustomString(const std::string& customString, std::string& commandText) override {
        CustomStringResult result = ParseCustomString(customString);
        if (result.error != CustomStringError::None) {
            logged.push_back(CustomStringErrorMessage(result.error));
            return false;
        }
        commandText = result.commandText;
        return true;
    }
    PcClockInfo& PcClock() override { return pcClock; }
    IWindowSystem& Window() override { return window; }
    ISettingsStore& Settings() override { return settings; }

    // The texts of the message boxes shown so far.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : window.shown) texts.push_back(shown.text);
        return texts;
    }

    std::vector<Sent> sent;
    std::vector<std::string> logged;
    FakeWindowSystem window;
    FakeSettingsStore settings;
    FakeClock clock;
    PcClockInfo pcClock{clock};
};

// Presses a control by path; fails the test when the path does not exist.
inline ActionResult PressPath(CPage& page, std::string_view path) {
    auto id = page.Find(path);
    return id ? page.Press(*id) : ActionResult::NotFound;
}

inline ActionResult SetPath(CPage& page, std::string_view path, const std::string& value) {
    auto id = page.Find(path);
    return id ? page.SetValue(*id, value) : ActionResult::NotFound;
}

}  // namespace zel::test
