#include "products/product_info.h"

#include <utility>

namespace zel {
namespace {

bool IsConnectionType(int connectionType) {
    return connectionType >= 0 && connectionType < kConnectionTypeCount;
}

// The first entry, unless flagged entries follow: then the last flagged one.
int InitialSelection(const std::vector<ProtocolInfo>& protocols) {
    int selected = protocols.empty() ? -1 : 0;
    for (size_t i = 0; i < protocols.size(); ++i) {
        if (protocols[i].isDefault) selected = static_cast<int>(i);
    }
    return selected;
}

}  // namespace

ProductInfo::ProductInfo(uint32_t index, std::string name, std::vector<PageRef> pages,
                         Capabilities capabilities,
                         std::array<std::vector<ProtocolInfo>, 3> protocols)
    : index_(index),
      name_(std::move(name)),
      pages_(std::move(pages)),
      capabilities_(capabilities),
      protocols_(std::move(protocols)) {
    for (int type = 0; type < kConnectionTypeCount; ++type) {
        selected_[type] = InitialSelection(protocols_[type]);
    }
}

const std::vector<ProtocolInfo>& ProductInfo::Protocols(int connectionType) const {
    static const std::vector<ProtocolInfo> kNone;
    return IsConnectionType(connectionType) ? protocols_[connectionType] : kNone;
}

void ProductInfo::SetCurrentConnection(int connectionType) {
    if (IsConnectionType(connectionType)) currentConnection_ = connectionType;
}

const ProtocolInfo* ProductInfo::CurrentProtocol(int connectionType) const {
    if (!IsConnectionType(connectionType) || selected_[connectionType] < 0) return nullptr;
    return &protocols_[connectionType][selected_[connectionType]];
}

bool ProductInfo::SelectProtocolByName(const std::string& name) {
    const auto& protocols = protocols_[currentConnection_];
    for (size_t i = 0; i < protocols.size(); ++i) {
        if (protocols[i].GetName() == name) {
            selected_[currentConnection_] = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

}  // namespace zel
