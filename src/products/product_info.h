#pragma once
// One catalog entry: a product with its pages, protocols per connection and capabilities.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "products/protocol_info.h"

namespace zel {

// What the common pages enable for a product; zero or false when the product lacks it.
struct Capabilities {
    bool networkAddress = false;
    bool timeAndDate = false;
    bool location = false;
    bool deviceId = false;
    bool userName = false;
    bool password = false;
    bool reboot = false;
    bool version = false;
    bool secondJack = false;
    bool reproducerAddressing = false;
    bool ntp = false;
    bool dhcp = false;
    bool playbackMode = false;
    std::array<int, 5> showRanges{};  // sizes of the Show page's five number lists
    int reproducerCount = 0;
    int groupCount = 0;
};

// One tab of a product's sheet: its title and the page class that fills it.
struct PageRef {
    std::string title;
    std::string pageClass;
};

class ProductInfo {
  public:
    ProductInfo(uint32_t index, std::string name, std::vector<PageRef> pages,
                Capabilities capabilities, std::array<std::vector<ProtocolInfo>, 3> protocols);

    uint32_t Index() const { return index_; }
    const std::string& Name() const { return name_; }
    const std::vector<PageRef>& Pages() const { return pages_; }
    const Capabilities& Caps() const { return capabilities_; }
    const std::vector<ProtocolInfo>& Protocols(int connectionType) const;
    bool Supports(int connectionType) const { return !Protocols(connectionType).empty(); }

    int CurrentConnection() const { return currentConnection_; }
    void SetCurrentConnection(int connectionType);
    // The selected protocol of the current (or a given) connection; null when its list is empty.
    const ProtocolInfo* CurrentProtocol() const { return CurrentProtocol(currentConnection_); }
    const ProtocolInfo* CurrentProtocol(int connectionType) const;
    // Selects the first protocol of the current connection with this exact display name.
    bool SelectProtocolByName(const std::string& name);

  private:
    uint32_t index_;
    std::string name_;
    std::vector<PageRef> pages_;
    Capabilities capabilities_;
    std::array<std::vector<ProtocolInfo>, 3> protocols_;
    int currentConnection_ = kSerial;
    std::array<int, 3> selected_{-1, -1, -1};  // index into each list, -1 for none
};

}  // namespace zel
