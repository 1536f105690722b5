#pragma once
// The Advanced Configuration dialog's logic: resending the last command every period, until
// turned off or, when a limit is given, until it has been resent that many times.
#include <cstdint>
#include <optional>
#include <string>

#include "services/window_system.h"
#include "terminal/zelterm_dlg.h"

namespace zel {

class CAdvConfigDlg {
  public:
    // The edits a refused value is typed in.
    enum class Field { Period, StopAfter, NoReply };

    CAdvConfigDlg(const RepeatSettings& settings, IWindowSystem& window);

    void OnRepeatClicked(bool checked) { settings_.repeat = checked; }
    void SetPeriodText(std::string text) { periodText_ = std::move(text); }
    // Empty (or blanks) for no limit.
    void SetStopAfterText(std::string text) { stopAfterText_ = std::move(text); }
    // How long a command may go unanswered before the status line says so; 0 for never.
    void SetNoReplyMs(uint32_t ms) { noReplyText_ = std::to_string(noReplyMs_ = ms); }
    void SetNoReplyText(std::string text) { noReplyText_ = std::move(text); }
    const std::string& NoReplyText() const { return noReplyText_; }
    uint32_t NoReplyMs() const { return noReplyMs_; }

    // The period and limit edits and their labels.
    bool PeriodEnabled() const { return settings_.repeat; }
    bool Repeat() const { return settings_.repeat; }
    const std::string& PeriodText() const { return periodText_; }
    const std::string& StopAfterText() const { return stopAfterText_; }

    // Takes the period and the limit; a refused one is reported in a message box, named by
    // Refused(), and the dialog stays open.
    bool OnOk();
    Field Refused() const { return refused_; }

    const RepeatSettings& Settings() const { return settings_; }

  private:
    bool Refuse(Field field);

    RepeatSettings settings_;
    std::string periodText_;
    std::string stopAfterText_;
    std::string noReplyText_ = "1000";
    uint32_t noReplyMs_ = 1000;
    Field refused_ = Field::Period;
    IWindowSystem& window_;
};

}  // namespace zel
