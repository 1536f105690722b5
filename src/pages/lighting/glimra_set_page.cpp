#include "pages/lighting/glimra_set_page.h"

#include <string>

namespace zel {

namespace {

constexpr char kInitialChannel[] = "1";
constexpr char kInitialValue[] = "0";
constexpr size_t kForcedFieldWidth = 3;

struct FixedButton {
    const char* caption;
    const char* text;
};

// Sent per ticked universe: the lead, the universe's tag and the letters.
struct UniverseButton {
    const char* caption;
    const char* lead;
    const char* letters;
};

constexpr UniverseButton kFeedThrough[] = {{"On", "1", "FT"}, {"Off", "0", "FT"}};
constexpr FixedButton kPileOnPriorities[] = {{"Highest Takes Priority", "0PP"},
                                             {"Last Takes Priority", "1PP"}};

// Channel and value go out at least three characters wide, padded with zeros in front.
std::string ZeroPadded(std::string text) {
    if (text.size() < kForcedFieldWidth) text.insert(0, kForcedFieldWidth - text.size(), '0');
    return text;
}

}  // namespace

CGlimraSetPage::CGlimraSetPage(IPageHost& host, GlimraUniverses universes)
    : CGlimraUniversePage(host, "Set", universes) {
    UniverseGroup(0);

    Group("Force (Hold) Channel Value", 0);
    Row();
    channel_ = TextEdit("Channel", kInitialChannel);
    value_ = TextEdit("Value", kInitialValue);
    Row();
    Button("Set", [this] {
        std::string forced = ZeroPadded(Text(channel_)) + ZeroPadded(Text(value_));
        SendToTicked([&](const std::string& tag) { return forced + tag + "FV"; });
    });
    Button("Clear All Sets",
           [this] { SendToTicked([](const std::string& tag) { return tag + "FC"; }); });
    EndGroup();

    Group("DMX FeedThrough", 1);
    Row();
    for (const UniverseButton& button : kFeedThrough) {
        Button(button.caption, [this, button] {
            SendToTicked([&](const std::string& tag) {
                return std::string(button.lead) + tag + button.letters;
            });
        });
    }
    EndGroup();

    Group("PileOn Setting (All Universes)", 1);
    Row();
    for (const FixedButton& button : kPileOnPriorities) {
        Button(button.caption, [this, text = button.text] { Send(text, true); });
    }
    EndGroup();
}

void CGlimraSetPage::OnInitDialog() {
    SetText(channel_, kInitialChannel);
    SetText(value_, kInitialValue);
}

CGlimraProSetTabDlg::CGlimraProSetTabDlg(IPageHost& host)
    : CGlimraSetPage(host, GlimraUniverses::Four) {}

CGlimraESetTabDlg::CGlimraESetTabDlg(IPageHost& host)
    : CGlimraSetPage(host, GlimraUniverses::OnlyFirst) {}

}  // namespace zel
