#pragma once
// The Reelmast pages speak only the Pioneer command set; on any other protocol their buttons
// stay silent.
#include "products/protocol_info.h"

namespace zel {

inline bool SpeaksPioneer(const ProtocolInfo* protocol) {
    return protocol && (protocol->protocol == kPioneer || protocol->protocol == kPioneerZelnet);
}

}  // namespace zel
