#include "terminal/update_dlg.h"

#include "terminal/update_check.h"

namespace zel {

void UpdateDlg::OnCheckForUpdates() {
    RunUpdateCheck(launcher_, window_, UpdateCheckOrigin::Dialog);
}

}  // namespace zel
