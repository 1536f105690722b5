#include "products/page_registry.h"

namespace zel {

namespace {

template <typename Page>
PageClass Register(std::string name) {
    return {std::move(name), [](IPageHost& host) { return std::make_unique<Page>(host); }};
}

}  // namespace

const std::vector<PageClass>& PageClasses() {
    static const std::vector<PageClass> kClasses = {};
    return kClasses;
}

}  // namespace zel
