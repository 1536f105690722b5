// The Show page: binary show-control messages in 8-bit packets, lists sized by the product.
#include "pages/show/show_page.h"

#include <gtest/gtest.h>

#include "byte_string.h"
#include "pages/show/show_message.h"
#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;
using testing::Bytes;
using Sent = FakePageHost::Sent;

class ShowPageTest : public ::testing::Test {
  protected:
    void Open(const std::string& name) {
        page.Destroy();
        page.SetProduct(FindProduct(catalog, name));
        page.Create();
    }
    const Control& At(const std::string& path) { return page.At(*page.Find(path)); }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CShowTabDlg page{host};
};

TEST_F(ShowPageTest, EveryButtonSendsItsMessageInAPacketWithoutCarriageReturn) {
    Open("Gridix");
    struct Case {
        std::vector<std::pair<std::string, std::string>> choices;  // path, item
        std::string button;
        std::string packet;
    };
    const Case cases[] = {
        {{{"Outputs/Turn Output", "1"}}, "Outputs/On", Bytes({0xF5, 0, 1, 2, 0x02, 0x00, 0x05})},
        {{{"Outputs/Turn Output", "1"}}, "Outputs/Off", Bytes({0xF5, 0, 1, 2, 0x03, 0x00, 0x06})},
        {{{"Outputs/Turn Output", "32"}}, "Outputs/On", Bytes({0xF5, 0, 1, 2, 0x02, 0x1F, 0x24})},
        {{{"Flags/Turn Flag", "1"}}, "Flags/On", Bytes({0xF5, 0, 1, 2, 0x02, 0x40, 0x45})},
        {{{"Flags/Turn Flag", "32"}}, "Flags/Off", Bytes({0xF5, 0, 1, 2, 0x03, 0x5F, 0x65})},
        {{{"Sequences/Start/value", "1"}},
         "Sequences/Start",
         Bytes({0xF5, 0, 1, 2, 0x18, 0x00, 0x1B})},
        {{{"Sequences/Start/value", "256"}},
         "Sequences/Start",
         Bytes({0xF5, 0, 1, 2, 0x18, 0xFF, 0x1A})},
        {{{"Variables/Set Var/value", "3"}, {"Variables/to", "0"}},
         "Variables/Set Var",
         Bytes({0xF5, 0, 1, 3, 0x28, 0x02, 0x00, 0x2E})},
        {{{"Variables/Set Var/value", "32"}, {"Variables/to", "255"}},
         "Variables/Set Var",
         Bytes({0xF5, 0, 1, 3, 0x28, 0x1F, 0xFF, 0x4A})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        host.sent.clear();
        for (const auto& [path, item] : c.choices) {
            ASSERT_EQ(SetPath(page, path, item), ActionResult::Done) << path;
        }
        ASSERT_EQ(PressPath(page, c.button), ActionResult::Done);
        EXPECT_EQ(host.sent, (std::vector<Sent>{{c.packet, false}}));
    }
}

TEST(ShowMessageTest, FlagsSitSixtyFourAboveTheOutputs) {
    EXPECT_EQ(BuildShowMessage(ShowAction::OutputOn, 64), Bytes({0x02, 0x3F}));
    EXPECT_EQ(BuildShowMessage(ShowAction::FlagOn, 1), Bytes({0x02, 0x40}));
    EXPECT_EQ(BuildShowMessage(ShowAction::FlagOff, 1), Bytes({0x03, 0x40}));
    EXPECT_EQ(BuildShowMessage(ShowAction::SetVariable, 3, 0), Bytes({0x28, 0x02, 0x00}));
    // Bytes wrap rather than spill.
    EXPECT_EQ(BuildShowMessage(ShowAction::FlagOn, 193), Bytes({0x02, 0x00}));
}

TEST_F(ShowPageTest, TheResponseFormatIsTheControlByte) {
    Open("Tamrin");
    const Control& formats = At("Format of Responses/list");
    EXPECT_EQ(formats.choices, (std::vector<std::string>{"No Reponse", "Ack/Nack - 0xAA/0x55",
                                                         "Return Full Message Then Ack/Nack"}));
    EXPECT_EQ(formats.selected, 1);
    const std::pair<std::string, std::string> cases[] = {
        {"No Reponse", Bytes({0xF5, 0, 0, 2, 0x02, 0x00, 0x04})},
        {"Ack/Nack - 0xAA/0x55", Bytes({0xF5, 0, 1, 2, 0x02, 0x00, 0x05})},
        {"Return Full Message Then Ack/Nack", Bytes({0xF5, 0, 2, 2, 0x02, 0x00, 0x06})},
    };
    for (const auto& [format, packet] : cases) {
        SCOPED_TRACE(format);
        host.sent.clear();
        ASSERT_EQ(SetPath(page, "Format of Responses/list", format), ActionResult::Done);
        PressPath(page, "Outputs/On");
        EXPECT_EQ(host.sent, (std::vector<Sent>{{packet, false}}));
    }
    // Every opening starts again from acknowledge/negative-acknowledge.
    SetPath(page, "Format of Responses/list", "No Reponse");
    Open("Tamrin");
    EXPECT_EQ(At("Format of Responses/list").selected, 1);
}

TEST_F(ShowPageTest, ListsAreSizedByTheProductAndStartAtTheirFirstItem) {
    struct Case {
        std::string product, path;
        size_t count;
        std::string first, last;
    };
    const Case cases[] = {
        {"Tamlet", "Outputs/Turn Output", 8, "1", "8"},
        {"Tamrel", "Outputs/Turn Output", 16, "1", "16"},
        {"Gridix", "Outputs/Turn Output", 32, "1", "32"},
        {"Plinth", "Flags/Turn Flag", 32, "1", "32"},
        {"Plinth", "Sequences/Start/value", 256, "1", "256"},
        {"Plinth", "Variables/Set Var/value", 32, "1", "32"},
        {"Plinth", "Variables/to", 256, "0", "255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product + " " + c.path);
        Open(c.product);
        const Control& list = At(c.path);
        ASSERT_EQ(list.choices.size(), c.count);
        EXPECT_EQ(list.choices.front(), c.first);
        EXPECT_EQ(list.choices.back(), c.last);
        EXPECT_EQ(list.selected, 0);
        EXPECT_TRUE(list.enabled);
    }
}

TEST_F(ShowPageTest, AControllerWithoutOutputsHasTheOutputGroupDisabled) {
    Open("Lumeka");
    EXPECT_TRUE(At("Outputs/Turn Output").choices.empty());
    EXPECT_FALSE(At("Outputs/Turn Output").enabled);
    EXPECT_EQ(PressPath(page, "Outputs/On"), ActionResult::Disabled);
    EXPECT_EQ(PressPath(page, "Outputs/Off"), ActionResult::Disabled);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(PressPath(page, "Flags/On"), ActionResult::Done);
    EXPECT_EQ(host.sent, (std::vector<Sent>{{Bytes({0xF5, 0, 1, 2, 0x02, 0x40, 0x45}), false}}));
    // The next controller has outputs again.
    Open("Tamrin");
    EXPECT_EQ(PressPath(page, "Outputs/On"), ActionResult::Done);
}

TEST_F(ShowPageTest, TypedNumbersCountOnlyWhenTheyAreListItems) {
    Open("Gridix");
    ASSERT_EQ(SetPath(page, "Sequences/Start/value", "7"), ActionResult::Done);
    PressPath(page, "Sequences/Start");
    EXPECT_EQ(host.sent, (std::vector<Sent>{{Bytes({0xF5, 0, 1, 2, 0x18, 0x06, 0x21}), false}}));

    struct Case {
        std::string path, typed, button, message;
    };
    const Case cases[] = {
        {"Sequences/Start/value", "257", "Sequences/Start",
         "Choose a sequence number from the list."},
        {"Sequences/Start/value", "", "Sequences/Start", "Choose a sequence number from the list."},
        {"Variables/Set Var/value", "0", "Variables/Set Var",
         "Choose a variable number from the list."},
        {"Variables/to", "256", "Variables/Set Var", "Choose a value from the list."},
        {"Variables/to", " 5", "Variables/Set Var", "Choose a value from the list."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " = '" + c.typed + "'");
        Open("Gridix");
        host.sent.clear();
        host.window.shown.clear();
        ASSERT_EQ(SetPath(page, c.path, c.typed), ActionResult::Done);
        PressPath(page, c.button);
        EXPECT_TRUE(host.sent.empty());
        EXPECT_EQ(host.Messages(), std::vector<std::string>{c.message});
    }
}

}  // namespace
}  // namespace zel
