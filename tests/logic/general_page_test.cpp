// The General page: picture, name and description per product; Version per protocol; Reboot.
#include "pages/common/general_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "byte_string.h"
#include "pages/common/product_profile.h"
#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using testing::Bytes;
using Sent = FakePageHost::Sent;

const std::filesystem::path kResources = ZELTERM_RESOURCES_DIR;

class GeneralPageTest : public ::testing::Test {
  protected:
    // Shows the page for a product reached over a connection with the named protocol.
    void Open(const std::string& name, int connection = kSerial, const std::string& protocol = {}) {
        ProductInfo* product = FindProduct(catalog, name);
        ASSERT_NE(product, nullptr) << name;
        product->SetCurrentConnection(connection);
        if (!protocol.empty()) {
            ASSERT_TRUE(product->SelectProtocolByName(protocol)) << protocol;
        }
        page.Destroy();
        page.SetProduct(product);
        page.Create();
    }
    const Control& At(const std::string& path) {
        auto id = page.Find(path);
        EXPECT_TRUE(id) << path;
        return page.At(id.value_or(0));
    }

    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CGeneralTabDlg page{host};
};

TEST_F(GeneralPageTest, VersionAsksInTheProtocolInForce) {
    const std::string kEightBitVersion = Bytes({0xF5, 0x00, 0x00, 0x01, 0x42, 0x43});
    struct Case {
        std::string product;
        int connection;
        std::string protocol;
        Sent expected;
    };
    const Case cases[] = {
        {"Ardent", kSerial, "Pioneer", {"?V", true}},
        {"Ardent", kEthernet, "Pioneer(ZELNet)", {"?V", true}},
        {"Sonnel", kEthernet, "Pioneer(ZELNet)", {"?V", true}},
        {"Korvex", kUsb, "Pioneer", {"?V", true}},
        {"Netwick", kSerial, "Netwick(Test)", {"?V", true}},
        {"Lumeka", kSerial, "Quorvane 8-bit", {kEightBitVersion, false}},
        {"Gridix", kEthernet, "Netwick(8-bit)", {kEightBitVersion, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product + " " + c.protocol);
        host.sent.clear();
        Open(c.product, c.connection, c.protocol);
        ASSERT_EQ(PressPath(page, "General/Version"), ActionResult::Done);
        EXPECT_EQ(host.sent, std::vector<Sent>{c.expected});
    }
}

TEST_F(GeneralPageTest, CustomProductHasNeitherVersionNorReboot) {
    Open("Custom", kSerial, "Custom");
    EXPECT_EQ(PressPath(page, "General/Version"), ActionResult::Disabled);
    EXPECT_EQ(PressPath(page, "General/Reboot"), ActionResult::Disabled);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(GeneralPageTest, RebootAsksFirstAndSendsTheProductsWord) {
    struct Case {
        std::string product;
        MessageAnswer answer;
        std::vector<Sent> expected;
    };
    const Case cases[] = {
        {"Ardent", MessageAnswer::Ok, {{"REBOOT", true}}},
        {"Ardent HD", MessageAnswer::Ok, {{"REBOOT", true}}},
        {"Sonnel", MessageAnswer::Ok, {{"XX", true}}},
        {"Korvex", MessageAnswer::Ok, {{"XX", true}}},
        {"Ardent", MessageAnswer::Cancel, {}},
        {"Sonnel", MessageAnswer::Cancel, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product);
        host.sent.clear();
        host.window.shown.clear();
        host.window.answers = {c.answer};
        Open(c.product);
        ASSERT_EQ(PressPath(page, "General/Reboot"), ActionResult::Done);
        ASSERT_EQ(host.window.shown.size(), 1u);
        EXPECT_EQ(host.window.shown[0].text, "Are you sure?");
        EXPECT_EQ(host.window.shown[0].caption, "ZelTerm");
        EXPECT_EQ(host.window.shown[0].buttons, MessageButtons::OkCancel);
        EXPECT_EQ(host.sent, c.expected);
    }
}

TEST_F(GeneralPageTest, ButtonsFollowTheVersionAndRebootCapabilities) {
    struct Case {
        std::string product;
        bool version, reboot;
    };
    const Case cases[] = {
        {"Quelm", true, true},           {"Netwick", true, false}, {"Glimra", true, false},
        {"Video Reelmast", true, false}, {"Lumeka", true, false},  {"Custom", false, false},
        {"GlimraE", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product);
        Open(c.product);
        EXPECT_EQ(At("General/Version").enabled, c.version);
        EXPECT_EQ(At("General/Reboot").enabled, c.reboot);
    }
}

TEST_F(GeneralPageTest, EachOpeningShowsTheCurrentProduct) {
    EXPECT_EQ(At("Full Product Name/label").text, "Full Product Name");
    EXPECT_EQ(At("Detailed Product Description/label").text, "Detailed Product Description");
    EXPECT_TRUE(At("Detailed Product Description/label").multiLine);

    Open("Gridix");
    EXPECT_EQ(At("picture").text, "show_controller");
    EXPECT_EQ(At("Full Product Name/label").text, "Gridix Show Controller");
    Open("Custom");
    EXPECT_EQ(At("picture").text, "custom");
    EXPECT_EQ(At("Full Product Name/label").text, "Custom Product");
    EXPECT_EQ(At("Detailed Product Description/label").text,
              "The 'Custom' selection allows you to access the advanced control capabilies of "
              "Zel Terminal for use with other RS-232 or Ethernet(UDP) capable products.");
}

int Sentences(std::string_view text) {
    int count = 0;
    for (size_t at = 0; (at = text.find('.', at)) != std::string_view::npos; ++at) {
        if (at + 1 == text.size() || text[at + 1] == ' ') ++count;
    }
    return count;
}

TEST_F(GeneralPageTest, EveryProductHasANameADescriptionAndAnIllustration) {
    std::ifstream qrcFile(kResources / "products.qrc");
    ASSERT_TRUE(qrcFile) << "products.qrc";
    std::stringstream qrc;
    qrc << qrcFile.rdbuf();
    auto illustrated = [&](std::string_view name) {
        std::string file = std::string(name) + ".svg";
        return std::filesystem::is_regular_file(kResources / "products" / file) &&
               qrc.str().find("<file alias=\"" + file + "\">products/" + file + "</file>") !=
                   std::string::npos;
    };
    ASSERT_EQ(catalog.size(), kProductCount);
    for (const ProductInfo& product : catalog) {
        SCOPED_TRACE(product.Name());
        const ProductProfile& profile = ProfileOf(product.Index());
        EXPECT_NE(profile.fullName.find(product.Name()), std::string_view::npos);
        EXPECT_GE(Sentences(profile.description), 1);
        EXPECT_LE(Sentences(profile.description), 4);
        EXPECT_EQ(profile.description.back(), '.');
        EXPECT_TRUE(illustrated(profile.illustration)) << profile.illustration;
    }
    EXPECT_EQ(ProfileOf(kProductCount).illustration, kFallbackIllustration);
    EXPECT_TRUE(illustrated(kFallbackIllustration));
}

}  // namespace
}  // namespace zel
