#include "terminal/adv_config.h"

#include "services/dialog_fields.h"

namespace zel {

CAdvConfigDlg::CAdvConfigDlg(const RepeatSettings& settings, IWindowSystem& window)
    : settings_(settings),
      periodText_(std::to_string(settings.periodMs)),
      stopAfterText_(settings.stopAfter ? std::to_string(*settings.stopAfter) : std::string()),
      window_(window) {}

bool CAdvConfigDlg::OnOk() {
    std::optional<uint32_t> noReply = ParseUnsignedField(noReplyText_);
    if (!noReply) return Refuse(Field::NoReply);
    noReplyMs_ = *noReply;
    // Disabled fields cannot be corrected by the operator, so they keep their values.
    if (!PeriodEnabled()) return true;
    std::optional<uint32_t> period = ParseUnsignedField(periodText_);
    if (!period) return Refuse(Field::Period);
    std::optional<uint32_t> stopAfter;
    if (stopAfterText_.find_first_not_of(" \t") != std::string::npos) {
        // Stopping after no send at all would be no repeat.
        stopAfter = ParseUnsignedField(stopAfterText_);
        if (!stopAfter || *stopAfter == 0) return Refuse(Field::StopAfter);
    }
    settings_.periodMs = *period;
    settings_.stopAfter = stopAfter;
    return true;
}

bool CAdvConfigDlg::Refuse(Field field) {
    refused_ = field;
    ShowFieldMessage(window_, kEnterPositiveInteger);
    return false;
}

}  // namespace zel
