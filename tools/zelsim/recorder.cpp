#include "zelsim/recorder.h"

namespace zelsim {

std::string HexLine(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    for (unsigned char byte : bytes) {
        if (!line.empty()) line += ' ';
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    return line;
}

bool Recorder::Open(const std::string& path) {
    file_.open(path, std::ios::out | std::ios::app | std::ios::binary);
    return file_.is_open();
}

void Recorder::Record(std::string_view bytes) {
    std::lock_guard lock(mutex_);
    if (!file_.is_open()) return;
    file_ << HexLine(bytes) << '\n';
    file_.flush();
}

}  // namespace zelsim
