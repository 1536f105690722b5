// The Notes page: connection advice chosen when the product is handed over.
#include "pages/common/notes_page.h"

#include <gtest/gtest.h>

#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;

class NotesPageTest : public ::testing::Test {
  protected:
    std::string NotesFor(ProductInfo& product) {
        page.Destroy();
        page.SetProduct(&product);
        page.Create();
        return page.At(*page.Find("label")).text;
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CNotesTabDlg page{host};
};

size_t Paragraphs(const std::string& text) {
    size_t count = 1;
    for (size_t at = 0; (at = text.find("\n\n", at)) != std::string::npos; at += 2) ++count;
    return count;
}

TEST_F(NotesPageTest, EachProductRangeGetsItsOwnAdvice) {
    for (ProductInfo& product : catalog) {
        SCOPED_TRACE(product.Name());
        std::string notes = NotesFor(product);
        uint32_t index = product.Index();
        if (index >= 14 && index <= 18) {
            EXPECT_EQ(Paragraphs(notes), 2u);
            for (const char* phrase : {"'Show Control' port", "null-modem RS-232 cable",
                                       "'Pioneer'", "'Unit Setup-->Control Port'"}) {
                EXPECT_NE(notes.find(phrase), std::string::npos) << phrase;
            }
        } else if (index >= 24 && index <= 29) {
            EXPECT_EQ(Paragraphs(notes), 3u);
            for (const char* phrase :
                 {"'Port 1'", "null-modem RS-232 cable", "Programmer Port",
                  "straight-through RS-232 cable", "Cuewright", "'Quorvane 8-bit'", "Netwick"}) {
                EXPECT_NE(notes.find(phrase), std::string::npos) << phrase;
            }
        } else {
            EXPECT_EQ(notes,
                      "Look here for updated notes and diagrams on your particular product.");
        }
    }
}

TEST_F(NotesPageTest, TheTextFollowsAProductChange) {
    std::string reelmast = NotesFor(*FindProduct(catalog, "A/V Reelmast"));
    std::string show = NotesFor(*FindProduct(catalog, "Tamlet"));
    EXPECT_NE(reelmast, show);
    EXPECT_EQ(NotesFor(*FindProduct(catalog, "Digital Reelmast HD")), reelmast);
    EXPECT_TRUE(page.At(*page.Find("label")).multiLine);
}

}  // namespace
}  // namespace zel
