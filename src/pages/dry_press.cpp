#include "pages/dry_press.h"

#include <deque>
#include <map>
#include <memory>
#include <utility>

#include "pages/page_registry.h"
#include "services/comm_log.h"
#include "services/custom_string.h"

namespace zel {

namespace {

// Bounds a timer that keeps restarting itself; follow-ups run once each.
constexpr int kMaxTimerRuns = 16;
constexpr char kSendsNothing[] = "Sends nothing";

// Reads what the terminal has stored; whatever the page writes is dropped.
class ReadOnlyKey : public ISettingsKey {
  public:
    explicit ReadOnlyKey(std::unique_ptr<ISettingsKey> stored) : stored_(std::move(stored)) {}
    std::optional<std::string> ReadValue(const std::string& name) override {
        return stored_ ? stored_->ReadValue(name) : std::nullopt;
    }
    bool WriteText(const std::string&, const std::string&) override { return true; }
    bool WriteNumber(const std::string&, uint32_t) override { return true; }
    bool DeleteValue(const std::string&) override { return true; }

  private:
    std::unique_ptr<ISettingsKey> stored_;
};

class ReadOnlySettings : public ISettingsStore {
  public:
    explicit ReadOnlySettings(ISettingsStore& stored) : stored_(stored) {}
    std::unique_ptr<ISettingsKey> OpenForRead() override {
        auto key = stored_.OpenForRead();
        return key ? std::make_unique<ReadOnlyKey>(std::move(key)) : nullptr;
    }
    std::unique_ptr<ISettingsKey> OpenOrCreateForWrite() override {
        return std::make_unique<ReadOnlyKey>(stored_.OpenForRead());
    }

  private:
    ISettingsStore& stored_;
};

// Answers as an operator who agrees to everything; timers and posted work wait for RunPending.
class AgreeingWindow : public IWindowSystem {
  public:
    explicit AgreeingWindow(std::vector<std::string>& shown) : shown_(shown) {}

    MessageAnswer MessageBox(const std::string& text, const std::string&, MessageButtons buttons,
                             MessageIcon) override {
        shown_.push_back(text);
        bool okButtons = buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel;
        return okButtons ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    void SetTimer(int id, unsigned, std::function<void()> onTick) override {
        KillTimer(id);
        timers_.emplace_back(id, std::move(onTick));
    }
    void KillTimer(int id) override {
        std::erase_if(timers_, [id](auto& t) { return t.first == id; });
    }
    void PostToGui(std::function<void()> work) override { posted_.push_back(std::move(work)); }

    // Runs posted work and each timer once, in the order they were asked for.
    void RunPending() {
        for (int runs = 0; runs < kMaxTimerRuns && !(posted_.empty() && timers_.empty()); ++runs) {
            std::function<void()> next;
            if (!posted_.empty()) {
                next = std::move(posted_.front());
                posted_.pop_front();
            } else {
                next = std::move(timers_.front().second);
                timers_.pop_front();
            }
            next();
        }
    }

  private:
    std::vector<std::string>& shown_;
    std::deque<std::pair<int, std::function<void()>>> timers_;
    std::deque<std::function<void()>> posted_;
};

class RecordingHost : public IPageHost {
  public:
    RecordingHost(IPageHost& real, DryPressOutcome& outcome)
        : real_(real),
          outcome_(outcome),
          clock_(real.PcClock().Clock()),
          window_(outcome.shown),
          settings_(real.Settings()) {}

    void SendCommand(std::string_view text, bool appendCR) override {
        std::string framed = real_.FramedCommand(text, appendCR);
        // An empty command never goes out.
        if (!framed.empty()) outcome_.sent.push_back(RenderLogPiece(framed, true, LogMode::Mixed));
    }
    std::string FramedCommand(std::string_view text, bool appendCR) const override {
        return real_.FramedCommand(text, appendCR);
    }
    bool ValidateCustomString(const std::string& customString, std::string& commandText) override {
        CustomStringResult result = ParseCustomString(customString);
        if (result.error != CustomStringError::None) {
            outcome_.logged.push_back(CustomStringErrorMessage(result.error));
            return false;
        }
        commandText = std::move(result.commandText);
        return true;
    }
    PcClockInfo& PcClock() override { return clock_; }
    IWindowSystem& Window() override { return window_; }
    ISettingsStore& Settings() override { return settings_; }
    AgreeingWindow& Agreeing() { return window_; }

  private:
    IPageHost& real_;
    DryPressOutcome& outcome_;
    PcClockInfo clock_;
    AgreeingWindow window_;
    ReadOnlySettings settings_;
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

DryPressOutcome DryPress(const CPage& page, ControlId id) {
    DryPressOutcome outcome;
    const PageClass* pageClass = ClassOf(page);
    if (!pageClass) return outcome;
    RecordingHost host(page.Host(), outcome);
    std::unique_ptr<CPage> copy = pageClass->create(host);
    copy->SetProduct(page.Product());
    copy->CopyStateFrom(page);
    copy->Press(id);
    host.Agreeing().RunPending();
    return outcome;
}

std::string PressTip(const DryPressOutcome& outcome) {
    if (!outcome.sent.empty()) return Joined(outcome.sent);
    if (!outcome.shown.empty()) return "Shows: " + Joined(outcome.shown);
    if (!outcome.logged.empty()) return "Logs: " + Joined(outcome.logged);
    return kSendsNothing;
}

std::string PressTip(const CPage& page, ControlId id) {
    if (!page.At(id).enabled) return page.DisabledReason(id);
    return PressTip(DryPress(page, id));
}

}  // namespace zel
