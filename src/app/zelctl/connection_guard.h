#pragma once
// Whether the connection a script sends over can carry its commands, found before the first
// one goes: zelctl never lets the terminal fall back to another connection, so a send meant for
// the product never reaches another port.
#include <string>

#include "terminal/zelterm_dlg.h"

namespace zel::ctl {

class ConnectionGuard {
  public:
    ConnectionGuard(CZelTermDlg& terminal, IUdpSocket& udp, IUsbLink& usb)
        : terminal_(terminal), udp_(udp), usb_(usb) {}

    // Why the connection `type` cannot carry a send now, naming it; empty when it is in force
    // and usable.
    std::string Problem(int type);

  private:
    std::string SerialProblem(bool inForce);
    std::string EthernetProblem(bool inForce);
    std::string UsbProblem();

    CZelTermDlg& terminal_;
    IUdpSocket& udp_;
    IUsbLink& usb_;
};

}  // namespace zel::ctl
