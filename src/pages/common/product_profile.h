#pragma once
// How the General page presents a product: its full name, what it is, and its illustration.
#include <cstdint>
#include <string_view>

namespace zel {

struct ProductProfile {
    std::string_view fullName;
    std::string_view description;
    // The family's picture: resources/products/<illustration>.svg on the window side.
    std::string_view illustration;
};

// The picture shown for an index outside the catalog.
inline constexpr std::string_view kFallbackIllustration = "custom";

// The profile of a catalog index; an index outside the catalog gets an empty name and
// description and the fallback picture.
const ProductProfile& ProfileOf(uint32_t productIndex);

}  // namespace zel
