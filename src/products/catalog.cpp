#include "products/catalog.h"

#include <algorithm>

namespace zel {

ProductInfo* FindProduct(std::vector<ProductInfo>& catalog, const std::string& name) {
    const auto found = std::find_if(catalog.begin(), catalog.end(),
                                    [&](const ProductInfo& p) { return p.Name() == name; });
    return found == catalog.end() ? nullptr : &*found;
}

std::vector<std::string> SortedProductNames(const std::vector<ProductInfo>& catalog) {
    std::vector<std::string> names;
    names.reserve(catalog.size());
    for (const ProductInfo& product : catalog) names.push_back(product.Name());
    std::sort(names.begin(), names.end());  // std::string compares as unsigned bytes
    return names;
}

}  // namespace zel
