// The Netwick page: three fixed queries for its test mode.
#include "pages/show/netwick_page.h"

#include <gtest/gtest.h>

#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using Sent = FakePageHost::Sent;

TEST(NetwickPageTest, EachQuerySendsItsTextWithACarriageReturn) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CNetwickTabDlg page(host);
    page.SetProduct(FindProduct(catalog, "Netwick"));
    page.Create();
    const std::pair<const char*, Sent> buttons[] = {
        {"Queries/Help", {"HELP", true}},
        {"Queries/Get Error List", {"?ERRORS", true}},
        {"Scheduler/Print Schedule", {"PRINTSCHEDULE", true}},
    };
    for (const auto& [path, expected] : buttons) {
        SCOPED_TRACE(path);
        host.sent.clear();
        ASSERT_EQ(PressPath(page, path), ActionResult::Done);
        EXPECT_EQ(host.sent, std::vector<Sent>{expected});
    }
}

TEST(NetwickPageTest, TheNotesTellWhenThePageApplies) {
    FakePageHost host;
    CNetwickTabDlg page(host);
    EXPECT_EQ(page.Title(), "Control");
    std::vector<std::string> labels;
    for (const Control& control : page.Controls()) {
        if (control.kind == ControlKind::Label) labels.push_back(control.text);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{
                          "This interface is only intended to configure Netwick via RS-232 Serial "
                          "when the product is in 'Test Mode'.",
                          "If you want to control a show controller through Netwick, you must "
                          "choose the controller from the product list and select 'Ethernet' as "
                          "the connection type.",
                          "List Available Commands",
                          "(Must be in Hex mode)",
                          "NOTE: This is for debug purposes only.",
                          "Some of the information will be returned in numbers rather than the "
                          "text you see in your schedule file.",
                      }));
}

}  // namespace
}  // namespace zel
