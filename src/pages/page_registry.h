#pragma once
// Every page class the program has, by the class name the catalog's page sets use, in the
// order the sheet creates their one object each.
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "products/page_base.h"

namespace zel {

struct PageClass {
    std::string name;  // "CShowTabDlg"
    std::function<std::unique_ptr<CPage>(IPageHost&)> create;
    std::type_index type;
};

const std::vector<PageClass>& PageClasses();
// The class a page object is of; null for a page the registry does not list.
const PageClass* ClassOf(const CPage& page);

}  // namespace zel
