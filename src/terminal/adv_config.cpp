#include "terminal/adv_config.h"

#include "terminal/dialog_fields.h"

namespace zel {

CAdvConfigDlg::CAdvConfigDlg(const RepeatSettings& settings, IWindowSystem& window)
    : settings_(settings), periodText_(std::to_string(settings.periodMs)), window_(window) {}

bool CAdvConfigDlg::OnOk() {
    // A disabled period cannot be corrected by the operator, so it keeps its value.
    if (!PeriodEnabled()) return true;
    std::optional<uint32_t> period = ParseUnsignedField(periodText_);
    if (!period) {
        ShowFieldMessage(window_, kEnterPositiveInteger);
        return false;
    }
    settings_.periodMs = *period;
    return true;
}

}  // namespace zel
