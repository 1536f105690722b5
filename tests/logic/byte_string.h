#pragma once
// Byte-exact expectations written as lists of byte values.
#include <initializer_list>
#include <string>

namespace zel::testing {

inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

}  // namespace zel::testing
