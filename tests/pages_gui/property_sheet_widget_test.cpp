// The tabs of every product of the catalog, rendered from the terminal's property sheet: each
// page of each product becomes widgets without a kind the renderer does not know.
#include "gui/property_sheet_widget.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "gui/page_widget.h"
#include "support/fake_terminal.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

// The terminal's logic on fakes, with the sheet widget as its view.
struct SheetRig : CZelTermDlg::View, test::FakeTerminal {
    SheetRig() {
        serial.probe["COM1"] = ProbeResult::Available;
        updates.present = false;
        terminal.SetView(this);
        terminal.OnInitDialog({});
    }
    ~SheetRig() override { terminal.SetView(nullptr); }

    void RefreshControls() override {}
    void ProductChanged(ProductInfo& product) override { sheet.ProductChanged(product); }

    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (int i = 0; i < sheet.count(); ++i) titles.push_back(sheet.tabText(i).toStdString());
        return titles;
    }

    PropertySheetWidget sheet{terminal.Sheet()};
};

std::vector<std::string> SheetTitles(CProductPropertySheet& sheet) {
    std::vector<std::string> titles;
    for (const auto& tab : sheet.Tabs()) titles.push_back(tab.title);
    return titles;
}

TEST(PropertySheetWidgetTest, EveryPageOfEveryProductRendersEveryControl) {
    SheetRig rig;
    size_t pagesRendered = 0;
    for (const std::string& product : rig.terminal.ProductNames()) {
        SCOPED_TRACE(product);
        rig.terminal.SelectProduct(product);
        ASSERT_EQ(rig.Titles(), SheetTitles(rig.terminal.Sheet()));
        for (int tab = 0; tab < rig.sheet.count(); ++tab) {
            SCOPED_TRACE(rig.sheet.tabText(tab).toStdString());
            rig.sheet.setCurrentIndex(tab);
            PageWidget* page = rig.sheet.PageAt(tab);
            ASSERT_NE(page, nullptr);
            for (ControlId id : page->Unrendered()) {
                ADD_FAILURE() << "no widget for " << page->Page().At(id).path << " ("
                              << ControlKindName(page->Page().At(id).kind) << ")";
            }
            for (ControlId id = 0; id < static_cast<ControlId>(page->Page().Controls().size());
                 ++id) {
                EXPECT_NE(page->WidgetOf(id), nullptr) << page->Page().At(id).path;
            }
            ++pagesRendered;
        }
    }
    EXPECT_GT(pagesRendered, rig.terminal.ProductNames().size());
}

TEST(PropertySheetWidgetTest, PagesAreMadeWhenTheirTabIsFirstShownAndTheFirstTabLeadsAfterAChange) {
    SheetRig rig;
    rig.terminal.SelectProduct("Tamrin");
    ASSERT_GT(rig.sheet.count(), 1);
    EXPECT_EQ(rig.sheet.currentIndex(), 0);
    EXPECT_EQ(rig.sheet.tabText(0), "General");
    EXPECT_NE(rig.sheet.PageAt(0), nullptr);
    const int last = rig.sheet.count() - 1;
    EXPECT_EQ(rig.sheet.PageAt(last), nullptr);
    EXPECT_FALSE(rig.terminal.Sheet().Tabs()[last].page->IsCreated());
    rig.sheet.setCurrentIndex(last);
    EXPECT_TRUE(rig.terminal.Sheet().Tabs()[last].page->IsCreated());
    EXPECT_EQ(rig.terminal.Sheet().ActiveTab(), last);
    ASSERT_NE(rig.sheet.PageAt(last), nullptr);

    rig.terminal.SelectProduct("Netwick");
    EXPECT_EQ(rig.sheet.currentIndex(), 0);
    EXPECT_EQ(rig.Titles(), SheetTitles(rig.terminal.Sheet()));
    EXPECT_EQ(rig.terminal.Sheet().ActiveTab(), 0);
}

}  // namespace
}  // namespace zel
