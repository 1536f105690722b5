#pragma once
// Walks a page's controls for tests that press every button of a page.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "products/page_base.h"

namespace zel::test {

inline std::set<std::string> ButtonPaths(const CPage& page) {
    std::set<std::string> paths;
    for (const Control& control : page.Controls()) {
        if (control.kind == ControlKind::PushButton) paths.insert(control.path);
    }
    return paths;
}

// The paths that more than one control of the page goes by.
inline std::vector<std::string> SharedPaths(const CPage& page) {
    std::vector<std::string> paths;
    for (const Control& control : page.Controls()) paths.push_back(control.path);
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> shared;
    for (size_t i = 1; i < paths.size(); ++i) {
        if (paths[i] == paths[i - 1]) shared.push_back(paths[i]);
    }
    return shared;
}

}  // namespace zel::test
