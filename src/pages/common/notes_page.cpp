#include "pages/common/notes_page.h"

#include <array>

namespace zel {
namespace {

constexpr char kReelmastNotes[] =
    "Connect the PC's serial port to the 'Show Control' port of the Reelmast with a null-modem "
    "RS-232 cable.\n"
    "\n"
    "The 'Show Control' port supports several protocols, so the protocol chosen in this "
    "terminal and the protocol of the port must match (for example, both 'Pioneer'). The port's "
    "protocol is changed on the product's front panel under 'Unit Setup-->Control Port'.";

constexpr char kShowControllerNotes[] =
    "Connect the PC's serial port to one of the controller's general-purpose serial ports (for "
    "example 'Port 1') with a null-modem RS-232 cable, or to its Programmer Port with a "
    "straight-through RS-232 cable.\n"
    "\n"
    "A general-purpose serial port must be configured in Cuewright for the protocol chosen in "
    "this terminal (for example 'Quorvane 8-bit').\n"
    "\n"
    "Ethernet communication with these controllers requires a Netwick. See the Netwick manual "
    "for how to set it up.";

constexpr char kGeneralNotes[] =
    "Look here for updated notes and diagrams on your particular product.";

struct NotesForProducts {
    uint32_t first, last;  // catalog indexes, inclusive
    const char* text;
};
constexpr std::array<NotesForProducts, 2> kNotes{{
    {14, 18, kReelmastNotes},
    {24, 29, kShowControllerNotes},
}};

}  // namespace

CNotesTabDlg::CNotesTabDlg(IPageHost& host) : CPage(host, "Notes") {
    notes_ = Label({}, true);
    // The path is fixed now, before the label holds any advice.
    Controls();
}

void CNotesTabDlg::SetProduct(ProductInfo* product) {
    CPage::SetProduct(product);
    if (!product) return;
    notesText_ = kGeneralNotes;
    for (const NotesForProducts& notes : kNotes) {
        if (product->Index() >= notes.first && product->Index() <= notes.last) {
            notesText_ = notes.text;
        }
    }
}

void CNotesTabDlg::OnInitDialog() {
    SetText(notes_, notesText_);
}

}  // namespace zel
