#pragma once
// The bytes a command puts on the wire over the connection in force, as the transports write
// them: framed (unit address, carriage return), each zero marker one byte 0 on the serial line
// and in datagrams, inside a ZELNet frame for Pioneer(ZELNet) on Ethernet. The USB link writes
// the framed text as it is.
#include <string>
#include <string_view>

#include "terminal/zelterm_dlg.h"

namespace zel::ctl {

std::string WireBytes(CZelTermDlg& terminal, std::string_view text, bool appendCR);

}  // namespace zel::ctl
