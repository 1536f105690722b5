#pragma once
// What the simulated product answers: text commands ending in a carriage return, and 8-bit
// packets (F5 00 control length payload checksum).
#include <string>
#include <string_view>

namespace zelsim {

// The reply to one text command, carriage return excluded from the command; may be empty.
std::string ReplyToCommand(std::string_view command);

// The reply to one whole 8-bit packet; empty when no answer was asked for.
std::string ReplyToPacket(std::string_view packet);

// Splits arriving bytes into commands and packets, keeping incomplete ones for the next bytes.
class Responder {
  public:
    // The replies to every message these bytes complete, in order.
    std::string Feed(std::string_view bytes);

  private:
    std::string pending_;
};

}  // namespace zelsim
