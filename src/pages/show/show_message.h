#pragma once
// The binary show-control messages the 8-bit controllers take, before packet framing.
#include <string>

namespace zel {

enum class ShowAction { OutputOn, OutputOff, FlagOn, FlagOff, SequenceStart, SetVariable };

// The message for an action on the numbered item (outputs, flags, sequences and variables
// count from 1); `value` is used by SetVariable only. Every byte wraps modulo 256.
std::string BuildShowMessage(ShowAction action, int number, int value = 0);

}  // namespace zel
