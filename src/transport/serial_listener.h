#pragma once
// A serial line with a listener thread that waits for line events and reports each one. The
// thread only moves arrived bytes into the line's buffer, so that none is lost when the device
// hangs up before they are read; whoever handles the event reads them. Bytes that follow the
// last report closely are gathered for a moment and reported together.
#include <thread>

#include "transport/serial_line.h"

namespace zel {

class CSerialEx : public CSerial {
  public:
    ~CSerialEx() override;

    // Stops the listener before the device closes, so it never watches a closed descriptor.
    long CloseLine() override;

    // Starting while a listener exists does nothing.
    long StartListening();
    // Wakes the listener and waits for it to end.
    long StopListening();

  protected:
    // On the listener thread: event type (within the event mask) and line error flags.
    virtual void OnPortEvent(uint32_t eventType, uint32_t lineErrors) = 0;
    // On the listener thread, which then ends: the device hung up (unplugged, or the other end
    // of a pseudo-terminal closed). The port stays open until someone closes it.
    virtual void OnDeviceLost() = 0;

  private:
    void ReleaseListenerHandles();

    std::thread listener_;
#ifdef _WIN32
    void Listen(void* stopSignal);
    void* stopSignal_ = nullptr;  // manual-reset event
#else
    void Listen(int waitSet, int stopSignal);
    int waitSet_ = -1;     // epoll instance: the device and the stop signal
    int stopSignal_ = -1;  // eventfd
#endif
};

}  // namespace zel
