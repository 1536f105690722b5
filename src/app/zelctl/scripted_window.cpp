#include "app/zelctl/scripted_window.h"

#include <algorithm>
#include <array>
#include <utility>

#include "terminal/zelterm_dlg.h"

namespace zel::ctl {

namespace {

struct ButtonSet {
    MessageButtons buttons;
    const char* name;
    std::vector<MessageAnswer> offered;
    MessageAnswer harmless;  // what changes nothing
};

const std::array<ButtonSet, 4>& ButtonSets() {
    using enum MessageAnswer;
    static const std::array<ButtonSet, 4> kSets = {{
        {MessageButtons::Ok, "ok", {Ok}, Ok},
        {MessageButtons::OkCancel, "ok-cancel", {Ok, Cancel}, Cancel},
        {MessageButtons::YesNo, "yes-no", {Yes, No}, No},
        {MessageButtons::YesNoCancel, "yes-no-cancel", {Yes, No, Cancel}, Cancel},
    }};
    return kSets;
}

const ButtonSet& SetOf(MessageButtons buttons) {
    for (const ButtonSet& set : ButtonSets()) {
        if (set.buttons == buttons) return set;
    }
    return ButtonSets().front();
}

}  // namespace

const char* ButtonsName(MessageButtons buttons) {
    return SetOf(buttons).name;
}

const char* AnswerName(MessageAnswer answer) {
    static constexpr std::array<const char*, 4> kNames = {"ok", "cancel", "yes", "no"};
    return kNames[static_cast<size_t>(answer)];
}

MessageAnswer AnswerBook::Answer(const std::string& text, MessageButtons buttons) {
    const ButtonSet& set = SetOf(buttons);
    if (buttons == MessageButtons::Ok || answers_.empty()) return set.harmless;
    MessageAnswer given = answers_.front();
    answers_.pop_front();
    if (std::find(set.offered.begin(), set.offered.end(), given) != set.offered.end()) {
        return given;
    }
    mistakes_.push_back(giver_ + " " + AnswerName(given) + " does not fit the message box \"" +
                        text + "\" (" + set.name + "); it was answered " +
                        AnswerName(set.harmless));
    return set.harmless;
}

MessageAnswer ScriptedWindowSystem::MessageBox(const std::string& text, const std::string&,
                                               MessageButtons buttons, MessageIcon icon) {
    const bool unanswered = buttons != MessageButtons::Ok && answers_.Unused() == 0;
    MessageAnswer answer = answers_.Answer(text, buttons);
    // A warning is how a page refuses an entry.
    if (buttons == MessageButtons::Ok && icon == MessageIcon::Warning) {
        stop_ = "the page said \"" + text + "\"";
    } else if (unanswered) {
        stop_ = "the question \"" + text + "\" was left unanswered, so it was answered " +
                AnswerName(answer) + "; give " + answers_.Giver() + " to answer it";
    }
    events_.Write(JsonObject()
                      .Add("event", "message")
                      .Add("text", text)
                      .Add("buttons", ButtonsName(buttons))
                      .Add("answer", AnswerName(answer)));
    return answer;
}

void ScriptedWindowSystem::SetTimer(int id, unsigned periodMs, std::function<void()> onTick) {
    periods_[id] = periodMs;
    underneath_.SetTimer(id, periodMs, std::move(onTick));
}

void ScriptedWindowSystem::KillTimer(int id) {
    periods_.erase(id);
    underneath_.KillTimer(id);
}

std::optional<std::string> ScriptedWindowSystem::TakeStop() {
    return std::exchange(stop_, std::nullopt);
}

std::optional<unsigned> ScriptedWindowSystem::LongestFollowUpMs() const {
    std::optional<unsigned> longest;
    for (auto [id, periodMs] : periods_) {
        // The terminal's own timers are no page's follow-up: a step does not wait for them.
        if (id != CZelTermDlg::kRepeatTimerId && id != CZelTermDlg::kNoReplyTimerId)
            longest = std::max(longest.value_or(0), periodMs);
    }
    return longest;
}

}  // namespace zel::ctl
