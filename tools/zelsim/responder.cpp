#include "zelsim/responder.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zelsim {

namespace {

constexpr char kPacketStart = '\xF5';
constexpr size_t kPacketHeaderBytes = 4;  // start, 0, control, length
constexpr size_t kPacketFrameBytes = 5;   // the header and the checksum
// A line this long without a carriage return is noise, not a command in progress.
constexpr size_t kLongestPendingText = 4096;

struct Query {
    std::string_view question, answer;
};

constexpr Query kQueries[] = {
    {"?V", "V3.21"}, {"?P", "P01"}, {"?C", "C00001"}, {"?S", "S1.04"}, {"?TIME", "12:00:00"},
};

// Command codes the common pages send; arguments come before them.
constexpr std::string_view kKnownCodes[] = {
    "PL", "ST", "PA", "SE", "LP", "DA", "TI", "SL",    "RJ",    "AD",     "VD",      "VC",     "VO",
    "KL", "RL", "DT", "PN", "MS", "LO", "FO", "LN",    "CT",    "BL",     "BC",      "SG",     "SP",
    "ID", "IP", "GW", "NM", "TZ", "FF", "FR", "SETIP", "SETGW", "SETSUB", "SETTIME", "REBOOT",
};

constexpr std::string_view kDone = "R";
constexpr std::string_view kNotAvailable = "E04";

// How each control byte wants a packet answered.
struct PacketAnswer {
    bool echo;
    bool acknowledge;
};
constexpr std::array<PacketAnswer, 3> kPacketAnswers = {{
    {false, false},  // no response
    {false, true},   // acknowledge / negative acknowledge
    {true, true},    // the message back, then the acknowledgement
}};
constexpr char kAck = '\xAA';
constexpr char kNack = '\x55';

std::string_view WithoutUnitAddress(std::string_view command) {
    size_t digits = 0;
    while (digits < command.size() && std::isdigit(static_cast<unsigned char>(command[digits]))) {
        ++digits;
    }
    if (digits > 0 && digits < command.size() && command[digits] == '@') {
        command.remove_prefix(digits + 1);
    }
    return command;
}

std::string_view TrailingCode(std::string_view command) {
    size_t start = command.size();
    while (start > 0 && std::isupper(static_cast<unsigned char>(command[start - 1]))) --start;
    return command.substr(start);
}

std::string_view Answer(std::string_view command) {
    size_t question = command.find('?');
    if (question != std::string_view::npos) {
        const auto* query = std::ranges::find(kQueries, command.substr(question), &Query::question);
        return query == std::end(kQueries) ? kNotAvailable : query->answer;
    }
    return std::ranges::find(kKnownCodes, TrailingCode(command)) == std::end(kKnownCodes)
               ? kNotAvailable
               : kDone;
}

bool ChecksumMatches(std::string_view packet) {
    unsigned sum = 0;
    for (size_t i = 2; i + 1 < packet.size(); ++i) sum += static_cast<unsigned char>(packet[i]);
    return static_cast<unsigned char>(packet.back()) == (sum & 0xFF);
}

}  // namespace

std::string ReplyToCommand(std::string_view command) {
    command = WithoutUnitAddress(command);
    if (command.empty()) return {};
    std::string reply(Answer(command));
    return reply + '\r';
}

std::string ReplyToPacket(std::string_view packet) {
    auto control = static_cast<unsigned char>(packet[2]);
    if (control >= kPacketAnswers.size()) return {};
    const PacketAnswer& answer = kPacketAnswers[control];
    std::string reply;
    if (answer.echo) reply = packet;
    if (answer.acknowledge) reply += ChecksumMatches(packet) ? kAck : kNack;
    return reply;
}

std::string Responder::Feed(std::string_view bytes) {
    pending_ += bytes;
    std::string replies;
    for (;;) {
        size_t start = pending_.find_first_not_of('\n');
        pending_.erase(0, std::min(start, pending_.size()));
        if (pending_.empty()) break;
        if (pending_[0] == kPacketStart) {
            if (pending_.size() < kPacketHeaderBytes) break;
            size_t length = kPacketFrameBytes + static_cast<unsigned char>(pending_[3]);
            if (pending_.size() < length) break;
            replies += ReplyToPacket(std::string_view(pending_).substr(0, length));
            pending_.erase(0, length);
            continue;
        }
        size_t end = pending_.find('\r');
        if (end == std::string::npos) {
            if (pending_.size() > kLongestPendingText) pending_.clear();
            break;
        }
        replies += ReplyToCommand(std::string_view(pending_).substr(0, end));
        pending_.erase(0, end + 1);
    }
    return replies;
}

}  // namespace zelsim
