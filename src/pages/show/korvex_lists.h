#pragma once
// The lists of the Korvex pages stand in the order a sorted list box shows them.
#include <string>
#include <vector>

namespace zel {

// Alphabetical without regard to letter case, as a sorted list box orders its items.
std::vector<std::string> InDisplayOrder(std::vector<std::string> items);

}  // namespace zel
