#include "pages/show/korvex_lists.h"

#include <algorithm>
#include <cctype>

namespace zel {

std::vector<std::string> InDisplayOrder(std::vector<std::string> items) {
    auto folded = [](const std::string& item) {
        std::string lower = item;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower;
    };
    std::ranges::stable_sort(items, {}, folded);
    return items;
}

}  // namespace zel
