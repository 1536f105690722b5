#pragma once
// The 35 products the terminal can talk to, in index order.
#include <string>
#include <vector>

#include "products/product_info.h"

namespace zel {

inline constexpr size_t kProductCount = 35;

std::vector<ProductInfo> BuildCatalog();

// The first entry with exactly this name, or null.
ProductInfo* FindProduct(std::vector<ProductInfo>& catalog, const std::string& name);

// The names in the product list's order: sorted by bytes, as the list box sorts them.
std::vector<std::string> SortedProductNames(const std::vector<ProductInfo>& catalog);

}  // namespace zel
