// Splits arbitrary text as the terminal's command line and starts the terminal with it, over the
// connection the first byte chooses.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_terminal.h"

namespace {

using zel::fuzz::Require;

void CheckSplit(const std::string& text, const std::vector<std::string>& tokens) {
    std::string joined;
    for (const std::string& token : tokens) {
        Require(!token.empty() && token.find(' ') == std::string::npos,
                "an empty token or one holding a space");
        joined += token;
    }
    std::string withoutSpaces = text;
    std::erase(withoutSpaces, ' ');
    Require(joined == withoutSpaces, "the tokens lost or gained characters");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::vector<std::string> tokens = zel::SplitCommandLine(text);
    CheckSplit(text, tokens);

    // The Custom product talks over every connection, so the stored one is restored as it is.
    static const uint32_t customPosition = [] {
        const std::vector<std::string> names = zel::SortedProductNames(zel::BuildCatalog());
        return uint32_t(std::find(names.begin(), names.end(), "Custom") - names.begin());
    }();
    zel::test::FakeSettingsStore settings;
    settings.keyExists = true;
    settings.SetNumber("Product", customPosition);
    settings.SetNumber("Connection", data[0] % 3);
    settings.SetText("Protocol", "Custom");
    settings.SetText("ProductIPAddress", "127.0.0.1");
    zel::fuzz::FakeTerminal terminal(settings);
    terminal.dlg.OnInitDialog(tokens);
    terminal.CheckState();
    terminal.dlg.OnOk();
    return 0;
}
