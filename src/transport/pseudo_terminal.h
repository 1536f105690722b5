#pragma once
// A pseudo-terminal pair: the simulator plays a product on the master side while the terminal
// opens the slave path like any serial device.
#include <string>
#include <string_view>

namespace zel {

class PseudoTerminal {
public:
    // Opens a master in raw mode; check IsOpen().
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return master_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }
    int MasterFd() const { return master_; }

    bool Write(std::string_view bytes);
    // Waits up to timeoutMs for bytes and returns what arrived (empty on time-out or hang-up).
    std::string Read(int timeoutMs);
    // Closing the master makes the slave hang up, as an unplugged adapter does.
    void CloseMaster();

private:
    int master_ = -1;
    int slaveKeeper_ = -1;  // keeps the slave side alive while nobody else holds it
    std::string slavePath_;
};

}  // namespace zel
