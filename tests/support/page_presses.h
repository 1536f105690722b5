#pragma once
// Presses on a product page as table rows: what the operator sets, the button pressed,
// and exactly what goes out and what the operator is told. Each row runs on a fresh page of a
// real catalog product; afterwards every push button of the page must have been pressed.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "products/catalog.h"
#include "support/fake_page_host.h"

namespace zel::test {

struct Press {
    std::vector<std::pair<std::string, std::string>> set;  // path and value, in order
    std::string button;
    std::vector<FakePageHost::Sent> sent;
    std::vector<std::string> messages = {};
};

inline constexpr const char* kFileMessage = "Enter file name or number(0-99999)";

// One text sent with a carriage return.
inline std::vector<FakePageHost::Sent> WithCR(const std::string& text) {
    return {{text, true}};
}

template <typename Page>
void ExpectPresses(const std::string& productName, const std::vector<Press>& presses) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    ProductInfo* product = FindProduct(catalog, productName);
    ASSERT_NE(product, nullptr);
    std::set<std::string> pressed;
    for (const Press& press : presses) {
        std::string trace = press.button;
        for (const auto& [path, value] : press.set) trace += " after " + path + "=" + value;
        SCOPED_TRACE(trace);
        FakePageHost host;
        Page page(host);
        page.SetProduct(product);
        page.Create();
        for (const auto& [path, value] : press.set) {
            ASSERT_EQ(SetPath(page, path, value), ActionResult::Done) << path;
        }
        ASSERT_EQ(PressPath(page, press.button), ActionResult::Done);
        EXPECT_EQ(host.sent, press.sent);
        EXPECT_EQ(host.Messages(), press.messages);
        pressed.insert(press.button);
    }
    FakePageHost host;
    Page page(host);
    for (const Control& control : page.Controls()) {
        if (control.kind == ControlKind::PushButton) {
            EXPECT_TRUE(pressed.contains(control.path)) << control.path << " is never pressed";
        }
    }
}

// The entries of a list as the operator sees them.
inline std::vector<std::string> Choices(const CPage& page, std::string_view path) {
    auto id = page.Find(path);
    return id ? page.At(*id).choices : std::vector<std::string>{};
}

}  // namespace zel::test
