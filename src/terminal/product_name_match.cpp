#include "terminal/product_name_match.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace zel {

namespace {

std::string Lowered(const std::string& text) {
    std::string lowered = text;
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

// Letters inserted, removed or replaced to turn one text into the other.
size_t EditDistance(const std::string& from, const std::string& to) {
    std::vector<size_t> row(to.size() + 1);
    std::iota(row.begin(), row.end(), size_t{0});
    for (size_t i = 1; i <= from.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= to.size(); ++j) {
            size_t above = row[j];
            row[j] = std::min(
                {row[j] + 1, row[j - 1] + 1, diagonal + (from[i - 1] == to[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[to.size()];
}

}  // namespace

std::string NameIgnoringCase(const std::vector<std::string>& names, const std::string& typed) {
    const std::string wanted = Lowered(typed);
    std::string found;
    for (const std::string& name : names) {
        if (Lowered(name) != wanted) continue;
        if (!found.empty()) return {};
        found = name;
    }
    return found;
}

std::vector<std::string> ClosestNames(const std::vector<std::string>& names,
                                      const std::string& typed, size_t count) {
    const std::string wanted = Lowered(typed);
    std::vector<std::pair<size_t, std::string>> ranked;
    for (const std::string& name : names)
        ranked.emplace_back(EditDistance(Lowered(name), wanted), name);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> closest;
    for (size_t i = 0; i < std::min(count, ranked.size()); ++i) closest.push_back(ranked[i].second);
    return closest;
}

}  // namespace zel
