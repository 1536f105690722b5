#pragma once
// The fuzz targets' invariant check: a broken invariant is a finding, reported like a crash.
#include <cstdio>
#include <cstdlib>

namespace zel::fuzz {

inline void Require(bool condition, const char* broken) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", broken);
    std::abort();
}

}  // namespace zel::fuzz
