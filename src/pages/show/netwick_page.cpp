#include "pages/show/netwick_page.h"

#include <array>

namespace zel {
namespace {

struct NetwickQuery {
    const char* button;
    const char* hint;
    const char* command;
};
constexpr std::array<NetwickQuery, 2> kQueries{{
    {"Help", "List Available Commands", "HELP"},
    // The error list comes back as binary codes, readable only in the log's hex mode.
    {"Get Error List", "(Must be in Hex mode)", "?ERRORS"},
}};

}  // namespace

CNetwickTabDlg::CNetwickTabDlg(IPageHost& host) : CPage(host, "Control") {
    Label(
        "This interface is only intended to configure Netwick via RS-232 Serial when the product "
        "is in 'Test Mode'.",
        true);
    Row();
    Label(
        "If you want to control a show controller through Netwick, you must choose the "
        "controller from the product list and select 'Ethernet' as the connection type.",
        true);

    Group("Queries");
    for (const NetwickQuery& query : kQueries) {
        Row();
        Button(query.button, [this, command = query.command] { Send(command, true); });
        Label(query.hint);
    }
    EndGroup();

    Group("Scheduler");
    Button("Print Schedule", [this] { Send("PRINTSCHEDULE", true); });
    Row();
    Label("NOTE: This is for debug purposes only.");
    Row();
    Label(
        "Some of the information will be returned in numbers rather than the text you see in "
        "your schedule file.");
    EndGroup();
}

}  // namespace zel
