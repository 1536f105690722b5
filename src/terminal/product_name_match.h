#pragma once
// Finding the product an operator meant by a name typed on the command line.
#include <string>
#include <vector>

namespace zel {

// The one name that equals `typed` but for letter case; empty when none or several do.
std::string NameIgnoringCase(const std::vector<std::string>& names, const std::string& typed);

// Up to `count` names nearest to `typed` (fewest letters to change, ignoring case), nearest
// first; names equally near keep their order.
std::vector<std::string> ClosestNames(const std::vector<std::string>& names,
                                      const std::string& typed, size_t count);

}  // namespace zel
