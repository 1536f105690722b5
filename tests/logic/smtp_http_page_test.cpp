// The SMTP/HTTP tab as an operator uses it: Get reads a setting, Set puts the field's text in
// front of the code, and "Send" mails at once in either mode.
#include "pages/common/smtp_http_page.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "products/catalog.h"
#include "support/fake_page_host.h"
#include "support/page_walk.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;

const std::vector<std::string> kSettingButtons = {
    "HTTP/Eth Jack",    "HTTP/Default Webpage", "SMTP/Eth Jack", "SMTP/Server",
    "SMTP/Server Port", "SMTP/Username",        "SMTP/Password", "SMTP/From",
};

class SmtpHttpPageTest : public ::testing::Test {
  protected:
    void Open(const std::string& product, bool setMode) {
        page->Destroy();
        ProductInfo* info = FindProduct(catalog, product);
        ASSERT_NE(info, nullptr) << product;
        page->SetProduct(info);
        page->Create();
        ASSERT_EQ(PressPath(*page, setMode ? "Configuration/Set" : "Configuration/Get"),
                  ActionResult::Done);
        host.sent.clear();
    }
    const Control& At(const std::string& path) { return page->At(*page->Find(path)); }
    std::string Enabled(const std::string& suffix) {
        std::string states;
        for (const std::string& button : kSettingButtons) {
            states += At(button + suffix).enabled ? '1' : '0';
        }
        return states;
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    std::unique_ptr<CSMTPHTTPTabDlg> page = std::make_unique<CSMTPHTTPTabDlg>(host);
};

struct Press {
    std::string product;
    bool setMode;
    std::vector<std::pair<std::string, std::string>> set;  // path and value, in order
    std::string button;
    std::string sent;
};

TEST_F(SmtpHttpPageTest, EveryButtonSendsItsCodeAloneOrAfterTheFieldsText) {
    const Press presses[] = {
        {"Korvex", false, {}, "HTTP/Eth Jack", "HJ"},
        {"Korvex", false, {}, "HTTP/Default Webpage", "HP"},
        {"Korvex", false, {}, "SMTP/Eth Jack", "SJ"},
        {"Korvex", false, {}, "SMTP/Server", "SA"},
        {"Korvex", false, {}, "SMTP/Server Port", "SP"},
        {"Korvex", false, {}, "SMTP/Username", "SU"},
        {"Korvex", false, {}, "SMTP/From", "FR"},
        {"Korvex", true, {}, "HTTP/Eth Jack", "AHJ"},
        {"Korvex", true, {{"HTTP/Eth Jack/value", "B"}}, "HTTP/Eth Jack", "BHJ"},
        {"Korvex",
         true,
         {{"HTTP/Default Webpage/value", "index.htm"}},
         "HTTP/Default Webpage",
         "index.htmHP"},
        {"Korvex", true, {{"HTTP/Default Webpage/value", ""}}, "HTTP/Default Webpage", "HP"},
        {"Korvex", true, {}, "SMTP/Eth Jack", "ASJ"},
        {"Korvex", true, {{"SMTP/Eth Jack/value", "B"}}, "SMTP/Eth Jack", "BSJ"},
        {"Korvex", true, {{"SMTP/Server/value", "srv1"}}, "SMTP/Server", "srv1SA"},
        {"Korvex", true, {{"SMTP/Server Port/value", "25"}}, "SMTP/Server Port", "25SP"},
        {"Korvex", true, {{"SMTP/Username/value", "ops"}}, "SMTP/Username", "opsSU"},
        {"Korvex", true, {{"SMTP/Password/value", "secret"}}, "SMTP/Password", "secretSW"},
        {"Korvex", true, {{"SMTP/From/value", "show@venue"}}, "SMTP/From", "show@venueFR"},
        {"GlimraPro", true, {{"SMTP/Eth Jack/value", "B"}}, "SMTP/Eth Jack", "BSJ"},
        {"Pellor", true, {{"SMTP/Server/value", "srv1"}}, "SMTP/Server", "srv1SA"},
        {"GlimraE", false, {}, "SMTP/From", "FR"},
        {"Korvex",
         false,
         {{"Mail Immediately/To", "ops"},
          {"Mail Immediately/Subject", "test"},
          {"Mail Immediately/Message", "hello"}},
         "Mail Immediately/Send",
         "ops|test|helloMA"},
        {"Pellor", true, {}, "Mail Immediately/Send", "||MA"},
        // A bar typed into a field is not escaped.
        {"GlimraE",
         true,
         {{"Mail Immediately/Subject", "a|b"}},
         "Mail Immediately/Send",
         "|a|b|MA"},
    };
    std::set<std::string> pressed;
    for (const Press& press : presses) {
        SCOPED_TRACE(press.product + (press.setMode ? " Set " : " Get ") + press.button);
        // Typed texts survive a new window; each row starts from a new page.
        page = std::make_unique<CSMTPHTTPTabDlg>(host);
        Open(press.product, press.setMode);
        for (const auto& [path, value] : press.set) {
            ASSERT_EQ(SetPath(*page, path, value), ActionResult::Done) << path;
        }
        ASSERT_EQ(PressPath(*page, press.button), ActionResult::Done);
        EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{press.sent, true}}));
        EXPECT_TRUE(host.Messages().empty());
        pressed.insert(press.button);
    }
    EXPECT_EQ(pressed, test::ButtonPaths(*page));
}

struct Enabling {
    std::string product;
    bool setMode;
    std::string buttons, fields;  // one digit per setting, HTTP jack to From
};

TEST_F(SmtpHttpPageTest, JacksNeedASecondJackAndFieldsTheSetChoice) {
    const Enabling cases[] = {
        {"Korvex", false, "11111101", "00000000"},   {"Korvex", true, "11111111", "11111111"},
        {"Korvel", true, "11111111", "11111111"},    {"GlimraPro", false, "11111101", "00000000"},
        {"GlimraPro", true, "11111111", "11111111"}, {"Pellor", false, "01011101", "00000000"},
        {"Pellor", true, "01011111", "01011111"},    {"GlimraE", false, "01011101", "00000000"},
        {"GlimraE", true, "01011111", "01011111"},
    };
    for (const Enabling& c : cases) {
        SCOPED_TRACE(c.product + (c.setMode ? " Set" : " Get"));
        Open(c.product, c.setMode);
        EXPECT_EQ(Enabled(""), c.buttons);
        EXPECT_EQ(Enabled("/value"), c.fields);
        for (const char* mail : {"To", "Subject", "Message", "Send"}) {
            EXPECT_TRUE(At(std::string("Mail Immediately/") + mail).enabled) << mail;
        }
    }
    Open("Pellor", true);
    EXPECT_EQ(PressPath(*page, "HTTP/Eth Jack"), ActionResult::Disabled);
    EXPECT_EQ(PressPath(*page, "SMTP/Eth Jack"), ActionResult::Disabled);
    Open("Korvex", false);
    EXPECT_EQ(PressPath(*page, "SMTP/Password"), ActionResult::Disabled);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(SmtpHttpPageTest, JacksStartOnAEachTimeTheWindowOpensTypedTextsStayAndGoOnlyInSetMode) {
    Open("Korvex", true);
    SetPath(*page, "HTTP/Eth Jack/value", "B");
    SetPath(*page, "SMTP/Eth Jack/value", "B");
    SetPath(*page, "SMTP/Server/value", "srv1");
    Open("Korvel", true);
    EXPECT_EQ(At("HTTP/Eth Jack/value").choices, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(At("HTTP/Eth Jack/value").selected, 0);
    EXPECT_EQ(At("SMTP/Eth Jack/value").selected, 0);
    EXPECT_EQ(At("SMTP/Server/value").text, "srv1");
    ASSERT_EQ(PressPath(*page, "Configuration/Get"), ActionResult::Done);
    ASSERT_EQ(PressPath(*page, "SMTP/Server"), ActionResult::Done);
    EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{"SA", true}}));
}

}  // namespace
}  // namespace zel
