// Every page of every product, laid out by the real sheet: paths an operator (or a script) can
// rely on, and tabs that match the catalog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "pages/page_registry.h"
#include "pages/property_sheet.h"
#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

bool HasOuterBlanks(const std::string& text) {
    return !text.empty() && (std::isspace(static_cast<unsigned char>(text.front())) ||
                             std::isspace(static_cast<unsigned char>(text.back())));
}

void CheckPage(const CPage& page) {
    std::set<std::string> paths;
    const auto& controls = page.Controls();
    for (ControlId id = 0; id < static_cast<ControlId>(controls.size()); ++id) {
        const Control& control = controls[id];
        SCOPED_TRACE(page.Title() + ": " + control.path);
        EXPECT_FALSE(control.path.empty())
            << ControlKindName(control.kind) << " " << control.caption;
        EXPECT_TRUE(paths.insert(control.path).second) << "path used twice";
        EXPECT_FALSE(HasOuterBlanks(control.caption)) << "caption '" << control.caption << "'";
        EXPECT_FALSE(HasOuterBlanks(control.path));
        if (control.kind == ControlKind::PushButton) {
            EXPECT_EQ(page.Find(control.path), id) << "button not reachable by its path";
        }
    }
}

// The catalog's page set without the classes the program does not have yet.
std::vector<std::string> ExpectedTabs(const ProductInfo& product) {
    std::vector<std::string> expected;
    for (const PageRef& ref : product.Pages()) {
        bool registered = std::any_of(PageClasses().begin(), PageClasses().end(),
                                      [&](const PageClass& c) { return c.name == ref.pageClass; });
        if (registered) expected.push_back(ref.title + ":" + ref.pageClass);
    }
    return expected;
}

TEST(PageLintTest, EveryTabOfEveryProductIsWellFormed) {
    test::FakePageHost host;
    CProductPropertySheet sheet(host);
    std::vector<ProductInfo> catalog = BuildCatalog();
    auto classOf = [&](const CPage* page) {
        const auto& objects = sheet.PageObjects();
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i].get() == page) return PageClasses()[i].name;
        }
        return std::string("?");
    };
    for (ProductInfo& product : catalog) {
        SCOPED_TRACE(product.Name());
        sheet.Rebuild(&product);
        std::vector<std::string> tabs;
        for (const auto& tab : sheet.Tabs()) tabs.push_back(tab.title + ":" + classOf(tab.page));
        EXPECT_EQ(tabs, ExpectedTabs(product));
        ASSERT_FALSE(tabs.empty());
        EXPECT_EQ(tabs.front(), "General:CGeneralTabDlg");
        EXPECT_EQ(sheet.ActiveTab(), 0);
        for (int index = 0; index < static_cast<int>(sheet.Tabs().size()); ++index) {
            CPage* page = sheet.Activate(index);
            ASSERT_NE(page, nullptr);
            EXPECT_TRUE(page->IsCreated());
            CheckPage(*page);
        }
    }
    sheet.Close();
}

}  // namespace
}  // namespace zel
