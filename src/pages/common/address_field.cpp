#include "pages/common/address_field.h"

#include "services/dialog_fields.h"

namespace zel {

std::optional<std::string> AddressFieldValue(const std::string& fieldText, IWindowSystem& window) {
    std::optional<uint32_t> address = ParseDottedAddress(fieldText);
    if (!address) {
        ShowFieldMessage(window,
                         "Please enter an IP address: four numbers from 0 to 255 "
                         "separated by dots.");
        return std::nullopt;
    }
    return DottedAddress(*address);
}

}  // namespace zel
