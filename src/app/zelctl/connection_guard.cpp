#include "app/zelctl/connection_guard.h"

namespace zel::ctl {

std::string ConnectionGuard::Problem(int type) {
    const bool inForce = terminal_.Profile().connectionType == type;
    switch (type) {
        case kSerial:
            return SerialProblem(inForce);
        case kEthernet:
            return EthernetProblem(inForce);
        default:
            return inForce ? UsbProblem() : "USB cannot be used: the product has no USB connection";
    }
}

// The terminal opens the port without a word when it can; the reason is asked again here.
std::string ConnectionGuard::SerialProblem(bool inForce) {
    ISerialPort& serial = terminal_.Serial();
    if (inForce && serial.IsOpen()) return {};
    const std::string& port = terminal_.Profile().serialPort;
    if (port.empty()) return "Serial cannot be used: no serial port was found";
    if (long error = serial.OpenForWindow(port, [](uint32_t) {}); error != 0) {
        return "Serial port " + port + " cannot be opened: " + serial.DescribeError(error);
    }
    serial.CloseLine();
    if (inForce) {
        terminal_.SelectConnection(kSerial);
        if (serial.IsOpen()) return {};
    }
    return "Serial cannot be used: no serial port could be opened when zelctl started";
}

std::string ConnectionGuard::EthernetProblem(bool inForce) {
    if (inForce && udp_.IsOpen()) return {};
    if (!terminal_.EthernetProblem().empty()) return terminal_.EthernetProblem();
    return "Ethernet cannot be used: local UDP port " +
           std::to_string(terminal_.Profile().localUdpPort) + " " + udp_.OpenFailure();
}

// The link is opened around each send; opening it once here finds a missing device.
std::string ConnectionGuard::UsbProblem() {
    if (usb_.IsOpen()) return {};
    if (usb_.OpenDevice()) {
        usb_.CloseDevice();
        return {};
    }
    const bool denied = usb_.AccessDenied();
    usb_.CloseDevice();
    return denied ? "USB cannot be used: a connected device may not be opened by this user (see "
                    "\"USB access on Linux\" in the README)"
                  : "USB cannot be used: no device is connected";
}

}  // namespace zel::ctl
