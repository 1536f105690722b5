#include "app/zelctl/script_services.h"

namespace zel::ctl {

long InertSerialPort::OpenForWindow(const std::string&, EventHandler) {
    if (open_) return serial_error::kAlreadyInitialized;
    open_ = true;
    return 0;
}

long InertSerialPort::CloseLine() {
    open_ = false;
    return 0;
}

long InertSerialPort::ReadBytes(char*, size_t, size_t* readCount) {
    if (readCount) *readCount = 0;
    return 0;
}

bool InertUsbLink::WriteData(std::string_view bytes, size_t* written) {
    if (written) *written = bytes.size();
    return true;
}

}  // namespace zel::ctl
