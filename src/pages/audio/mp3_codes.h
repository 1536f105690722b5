#pragma once
// How the multi-channel MP3 players name where a command goes, and their front-panel PIN.
#include <string>
#include <vector>

namespace zel::mp3 {

// How many of each kind of destination a list offers after "All".
struct DestinationCounts {
    int channels;  // "Ch. 1".."Ch. N"
    int pairs;     // "Ch. Pair 1".."Ch. Pair N"
    int groups;    // "Ch. Group 1".."Ch. Group N"
};

inline constexpr DestinationCounts kEveryDestination{16, 8, 13};

std::vector<std::string> DestinationList(DestinationCounts counts);

// The code of a list entry by its text: "All" is P*, "Ch. 16" C16, "Ch. Pair 3" P3,
// "Ch. Group 13" G13; anything else gives an empty code. Players without single channels
// have no "C" codes.
std::string DestinationCode(const std::string& entry, bool singleChannels);

// The code of an entry of the full list by its position; empty past its end.
std::string CrossfadeDestinationCode(int index);

// Four digits: short PINs are filled with zeros on the right, long ones cut.
std::string FourDigitPin(const std::string& typed);

}  // namespace zel::mp3
