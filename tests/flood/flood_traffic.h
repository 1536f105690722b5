#pragma once
// What the floods send: serial bytes in reproducible blocks, and datagrams of every kind the
// terminal may meet on its UDP port.
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace zel::test {

// One megabyte of the serial flood, the same for the same index: text lines, runs of all 256
// byte values, random bytes and long lines without any line end. No '<' comes before two hex
// digits and a '>', so the Mixed log's <XX> forms read back unambiguously.
inline constexpr size_t kSerialBlockBytes = 1024 * 1024;
std::string SerialFloodBlock(size_t index);

// The bytes a Mixed log line shows, read back: "<XX>" turns into its byte again.
std::string DecodeMixedLog(std::string_view shown);

// The datagrams of the UDP flood; a ZELNet frame's payload says which kind it is.
inline constexpr std::string_view kGoodFrameWord = "GOODFRAME";
inline constexpr std::string_view kBadChecksumWord = "BADSUMFRAME";
inline constexpr std::string_view kCutFrameWord = "CUTFRAME";

class DatagramMaker {
  public:
    explicit DatagramMaker(unsigned seed) : random_(seed) {}
    // Random bytes of 0..1024 bytes (now and then a few too many), valid frames, frames with a
    // bad checksum and frames cut short.
    std::string Next();

  private:
    size_t Below(size_t bound) {
        return std::uniform_int_distribution<size_t>(0, bound - 1)(random_);
    }
    std::string RandomBytes(size_t count);
    std::string Frame(std::string_view word);

    std::mt19937 random_;
    unsigned long counter_ = 0;
};

}  // namespace zel::test
