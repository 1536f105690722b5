#include "transport/serial_ports.h"

namespace zel {

std::vector<std::string> PortsFromList(std::string_view list) {
    std::vector<std::string> ports;
    while (ports.size() < kMaxCandidatePorts && !list.empty()) {
        size_t colon = list.find(':');
        std::string_view path = list.substr(0, colon);
        if (!path.empty()) ports.emplace_back(path);
        list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
    }
    return ports;
}

}  // namespace zel
