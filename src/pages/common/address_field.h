#pragma once
// The IP address fields of the configuration pages.
#include <optional>
#include <string>

#include "services/window_system.h"

namespace zel {

// The field's address in dotted decimal as the products read it; a message and nothing when
// the field does not hold an address.
std::optional<std::string> AddressFieldValue(const std::string& fieldText, IWindowSystem& window);

}  // namespace zel
