// The property sheet of every product: exactly the catalog's tabs, each filled by the page class
// the catalog names, "General" first and active, "Custom" last.
#include <gtest/gtest.h>

#include "pages/page_registry.h"
#include "pages/property_sheet.h"
#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

class SheetTest : public ::testing::Test {
  protected:
    // "Title:Class" for each tab, as the sheet shows them.
    std::vector<std::string> ShownTabs() const {
        std::vector<std::string> tabs;
        for (const auto& tab : sheet.Tabs()) tabs.push_back(tab.title + ":" + ClassOf(tab.page));
        return tabs;
    }
    std::string ClassOf(const CPage* page) const {
        const auto& objects = sheet.PageObjects();
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i].get() == page) return PageClasses()[i].name;
        }
        return "?";
    }

    test::FakePageHost host;
    CProductPropertySheet sheet{host};
    std::vector<ProductInfo> catalog = BuildCatalog();
};

TEST_F(SheetTest, EveryProductShowsExactlyItsPageSetWithGeneralFirstAndActive) {
    ASSERT_EQ(catalog.size(), kProductCount);
    for (ProductInfo& product : catalog) {
        SCOPED_TRACE(product.Name());
        // Whatever tab was active before, the new product opens on "General".
        if (!sheet.Tabs().empty()) sheet.Activate(static_cast<int>(sheet.Tabs().size()) - 1);
        sheet.Rebuild(&product);
        std::vector<std::string> expected;
        for (const PageRef& ref : product.Pages())
            expected.push_back(ref.title + ":" + ref.pageClass);
        EXPECT_EQ(ShownTabs(), expected);
        ASSERT_GE(sheet.Tabs().size(), 2u);
        EXPECT_EQ(ShownTabs().front(), "General:CGeneralTabDlg");
        EXPECT_EQ(ShownTabs().back(), "Custom:CCustomTabDlg");
        EXPECT_EQ(sheet.ActiveTab(), 0);
        EXPECT_TRUE(sheet.Tabs().front().page->IsCreated());
        for (const auto& tab : sheet.Tabs()) EXPECT_EQ(tab.page->Title(), tab.title);
    }
    sheet.Close();
}

TEST_F(SheetTest, ProductsSharingAPageKeepWhatWasTypedIntoIt) {
    sheet.Rebuild(FindProduct(catalog, "Korvex"));
    CPage* control = sheet.ActivateTab("Control");
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(test::SetPath(*control, "Sequences/Sequence Name or Number", "finale"),
              ActionResult::Done);
    sheet.Rebuild(FindProduct(catalog, "Korvel"));
    ASSERT_EQ(sheet.ActivateTab("Control"), control);
    ASSERT_EQ(test::PressPath(*control, "Sequences/Start"), ActionResult::Done);
    EXPECT_EQ(host.sent, (std::vector<test::FakePageHost::Sent>{{"finalePL", true}}));
    sheet.Close();
}

}  // namespace
}  // namespace zel
