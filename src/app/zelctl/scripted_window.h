#pragma once
// The window system of a script: message boxes are answered from the --answer list and reported
// as events; timers and posted work go to the window system underneath, the timers counted so
// a script can wait for what a page sends a moment later.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/zelctl/json_lines.h"
#include "services/window_system.h"

namespace zel::ctl {

const char* ButtonsName(MessageButtons buttons);
const char* AnswerName(MessageAnswer answer);

// The answers given on the command line or by answer steps, taken in order by the questions
// asked. `giver` names them in the mistakes: "--answer" or "answer".
class AnswerBook {
  public:
    explicit AnswerBook(std::vector<MessageAnswer> answers, std::string giver = "--answer")
        : answers_(answers.begin(), answers.end()), giver_(std::move(giver)) {}

    void Add(MessageAnswer answer) { answers_.push_back(answer); }

    // An OK-only box gets Ok without taking an answer. A question takes the next answer, or
    // gets the one that changes nothing (Cancel, or No for Yes/No) when none is left or when
    // the next one is not among its buttons; the latter is kept as a mistake.
    MessageAnswer Answer(const std::string& text, MessageButtons buttons);

    size_t Unused() const { return answers_.size(); }
    const std::string& Giver() const { return giver_; }
    const std::vector<std::string>& Mistakes() const { return mistakes_; }

  private:
    std::deque<MessageAnswer> answers_;
    std::string giver_;
    std::vector<std::string> mistakes_;
};

class ScriptedWindowSystem : public IWindowSystem {
  public:
    ScriptedWindowSystem(IWindowSystem& underneath, AnswerBook& answers, JsonLineWriter& events)
        : underneath_(underneath), answers_(answers), events_(events) {}

    MessageAnswer MessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    void SetTimer(int id, unsigned periodMs, std::function<void()> onTick) override;
    void KillTimer(int id) override;
    void PostToGui(std::function<void()> work) override { underneath_.PostToGui(std::move(work)); }

    // The longest period of the timers set now, the terminal's repeat timer aside: a page's
    // follow-ups are due within it. Nothing when none is set.
    std::optional<unsigned> LongestFollowUpMs() const;
    // Why a page may have sent nothing: the last refusal it showed or question left unanswered
    // since the last call.
    std::optional<std::string> TakeStop();

  private:
    IWindowSystem& underneath_;
    std::map<int, unsigned> periods_;  // of the timers set now
    AnswerBook& answers_;
    JsonLineWriter& events_;
    std::optional<std::string> stop_;
};

}  // namespace zel::ctl
