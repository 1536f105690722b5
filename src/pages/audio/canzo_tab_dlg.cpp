#include "pages/audio/canzo_tab_dlg.h"

namespace zel {

namespace {

constexpr int64_t kLastFileNumber = 99999;

}  // namespace

// Every button takes the file number in first, so a refused number stops them all.
CCanzoTabDlg::CCanzoTabDlg(IPageHost& host) : CAudioPage(host, "Control") {
    Group("Play Control", 0);
    fileNumber_ = IntegerEdit("File #", 0, std::pair<int64_t, int64_t>{0, kLastFileNumber});
    Row();
    CommandButtons({{"Play", "PL"}, {"Loop", "LP"}, {"Stop", "RJ"}, {"Pause", "PA"}});
    Button("Search", [this] { Send(std::to_string(Integer(fileNumber_)) + "SE", true); });
    EndGroup();

    Group("Drive Control", 1);
    Row("Current Media Drive");
    CommandButtons({{"Internal", "0SL"}, {"External", "1SL"}});
    Row();
    CommandButtons({{"Format Drive", "FO"}, {"Storage Space", "?R"}});
    EndGroup();

    Group("Audio Control", 1);
    CommandButtons({{"Off", "0AD"}, {"On", "1AD"}});
    EndGroup();
}

}  // namespace zel
