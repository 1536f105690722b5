#pragma once
// The USB transport: opened, used and closed around each send.
#include <cstddef>
#include <string>
#include <string_view>

namespace zel {

class IUsbLink {
  public:
    virtual ~IUsbLink() = default;
    virtual bool IsOpen() const = 0;
    // Finds the first device with the products' interface, claims it and drains stale input.
    virtual bool OpenDevice() = 0;
    // The latest OpenDevice failed while devices this user may not open were present.
    virtual bool AccessDenied() const { return false; }
    virtual bool WriteData(std::string_view bytes, size_t* written) = 0;
    // Appends the reply's data bytes to reply; fails when more than bufferSize would arrive.
    virtual bool ReadData(std::string& reply, size_t bufferSize, int attempts) = 0;
    virtual void CloseDevice() = 0;
};

}  // namespace zel
