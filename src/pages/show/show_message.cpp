#include "pages/show/show_message.h"

#include <array>
#include <cstdint>

namespace zel {
namespace {

// Outputs and flags share the on/off commands: flags sit 64 numbers above the outputs.
struct ShowCommand {
    uint8_t command;
    int numberOffset;  // added to the item's number
    bool carriesValue;
};
constexpr std::array<ShowCommand, 6> kCommands{{
    {0x02, -1, false},  // OutputOn
    {0x03, -1, false},  // OutputOff
    {0x02, 63, false},  // FlagOn
    {0x03, 63, false},  // FlagOff
    {0x18, -1, false},  // SequenceStart
    {0x28, -1, true},   // SetVariable
}};

char Byte(int value) {
    return static_cast<char>(static_cast<uint8_t>(value));
}

}  // namespace

std::string BuildShowMessage(ShowAction action, int number, int value) {
    const ShowCommand& command = kCommands[static_cast<size_t>(action)];
    std::string message{Byte(command.command), Byte(number + command.numberOffset)};
    if (command.carriesValue) message += Byte(value);
    return message;
}

}  // namespace zel
