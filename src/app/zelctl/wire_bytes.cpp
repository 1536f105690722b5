#include "app/zelctl/wire_bytes.h"

#include "base/zero_marker.h"

namespace zel::ctl {

std::string WireBytes(CZelTermDlg& terminal, std::string_view text, bool appendCR) {
    const std::string framed = terminal.FramedCommand(text, appendCR);
    switch (terminal.Profile().connectionType) {
        case kSerial:
            return ExpandZeroMarkers(framed);
        case kEthernet: {
            const ProtocolInfo* protocol =
                terminal.CurrentProduct() ? terminal.CurrentProduct()->CurrentProtocol() : nullptr;
            const std::string payload = ExpandZeroMarkers(framed);
            return protocol && protocol->protocol == kPioneerZelnet ? BuildZelnetFrame(payload)
                                                                    : payload;
        }
        default:
            return framed;
    }
}

}  // namespace zel::ctl
