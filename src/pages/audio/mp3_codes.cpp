#include "pages/audio/mp3_codes.h"

#include <string_view>

namespace zel::mp3 {

namespace {

constexpr char kAll[] = "All";
constexpr char kAllCode[] = "P*";
constexpr size_t kPinLength = 4;

struct Kind {
    std::string_view entryPrefix;  // the entry reads it followed by a blank and the number
    std::string_view code;
};

// Searched in this order: every entry contains "Ch.".
constexpr Kind kPair{"Ch. Pair", "P"};
constexpr Kind kGroup{"Ch. Group", "G"};
constexpr Kind kChannel{"Ch.", "C"};

std::string Trimmed(std::string_view text) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

void AddNumbered(std::vector<std::string>& list, std::string_view prefix, int count) {
    for (int number = 1; number <= count; ++number) {
        list.push_back(std::string(prefix) + " " + std::to_string(number));
    }
}

}  // namespace

std::vector<std::string> DestinationList(DestinationCounts counts) {
    std::vector<std::string> list{kAll};
    AddNumbered(list, kChannel.entryPrefix, counts.channels);
    AddNumbered(list, kPair.entryPrefix, counts.pairs);
    AddNumbered(list, kGroup.entryPrefix, counts.groups);
    return list;
}

std::string DestinationCode(const std::string& entry, bool singleChannels) {
    const Kind* kinds[] = {&kPair, &kGroup, singleChannels ? &kChannel : nullptr};
    for (const Kind* kind : kinds) {
        if (!kind || entry.find(kind->entryPrefix) == std::string::npos) continue;
        // The number is in the last two characters, with a blank before a single digit.
        std::string_view tail(entry);
        if (tail.size() > 2) tail.remove_prefix(tail.size() - 2);
        return std::string(kind->code) + Trimmed(tail);
    }
    return entry == kAll ? kAllCode : "";
}

std::string CrossfadeDestinationCode(int index) {
    if (index == 0) return kAllCode;
    // The full list after "All": its channels, then its pairs, then its groups.
    struct Range {
        const Kind& kind;
        int count;
    };
    const Range ranges[] = {{kChannel, kEveryDestination.channels},
                            {kPair, kEveryDestination.pairs},
                            {kGroup, kEveryDestination.groups}};
    int first = 1;
    for (const Range& range : ranges) {
        if (index >= first && index < first + range.count) {
            return std::string(range.kind.code) + std::to_string(index - first + 1);
        }
        first += range.count;
    }
    return {};
}

std::string FourDigitPin(const std::string& typed) {
    std::string pin = typed.substr(0, kPinLength);
    pin.resize(kPinLength, '0');
    return pin;
}

}  // namespace zel::mp3
