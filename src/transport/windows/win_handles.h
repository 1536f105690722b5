#pragma once
// Small helpers shared by the Win32 transports.
#include <windows.h>

#include <string>

namespace zel::win {

// A manual-reset event, not signalled; closed when destroyed.
class Event {
  public:
    Event() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() {
        if (handle_) CloseHandle(handle_);
    }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    HANDLE Get() const { return handle_; }
    bool Made() const { return handle_ != nullptr; }

  private:
    HANDLE handle_;
};

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);
// The system's message for an error code, without the trailing line break.
std::string SystemMessage(unsigned long code);

}  // namespace zel::win
