#include "pages/video/ardent_ban_tab.h"

#include "pages/video/ardent_channels.h"

namespace zel {

namespace {

const std::vector<ButtonCode> kBackground = {{"On", "1"}, {"Off", "0"}};
// The player takes 0 for showing the banner and 1 for hiding it.
const std::vector<ButtonCode> kBannerSwitch = {{"On", "0"}, {"Off", "1"}};
const std::vector<ButtonCode> kDirections = {{"<-", "L"}, {"->", "R"}};

const std::vector<std::string> kSpeeds = {"0-Still", "1-Slow", "2-Fast", "3-Fastest"};
constexpr const char* kManual = "Manual";
const std::vector<std::string> kColours = {
    kManual,       "White",     "Red",      "Green",      "Blue",      "Yellow",      "Orange",
    "Purple",      "Gray",      "LightRed", "LightGreen", "LightBlue", "LightYellow", "LightOrange",
    "LightPurple", "LightGray", "Brown",    "Teal",       "Fuschia",   "Tan"};
const std::vector<std::string> kFonts = {"Arial", "Times New Roman", "Courier New"};
const std::vector<std::string> kColourChannels = {"Red", "Green", "Blue"};
constexpr size_t kColourChannelLength = 2;
constexpr const char* kFullColourChannel = "FF";
constexpr int kInitialSize = 24;

}  // namespace

CArdentBanTab::CArdentBanTab(IPageHost& host) : CVideoPage(host, "Banner") {
    const Part noTarget = Fixed({});
    Group("Banner Control", 0);
    CommandButton("Search File", FileArgumentOf(file_), Fixed(ardent::kBannerChannel), "SE");
    file_ = TextEdit("Filename or #", "1");
    Row();
    BannerTextButton("Banner Text", text_, noTarget, false);
    text_ = TextEdit("Immediate Text");
    EndGroup();
    Group("Position", 0);
    LeadButtons(kBannerPositions, noTarget, "BL");
    EndGroup();
    Group("Backround", 0);
    LeadButtons(kBackground, noTarget, "BB");
    EndGroup();
    Group("Banner", 0);
    LeadButtons(kBannerSwitch, noTarget, "BM");
    EndGroup();
    Group("Queries", 0);
    CommandButton("Current File?", noTarget, Fixed(ardent::kBannerChannel), "?C");
    EndGroup();

    Group("Scrolling", 1);
    Row("Direction");
    LeadButtons(kDirections, noTarget, "BD");
    Row();
    speed_ = DropDownList({}, kSpeeds, 0, true);
    CommandButton("Velocity", DigitOf(speed_), noTarget, "BV");
    EndGroup();
    Group("Font", 1);
    for (const std::string& name : kColourChannels) {
        Row();
        ControlId label = Label(name);
        ControlId box = TextEdit({}, kFullColourChannel, kColourChannelLength);
        channelBoxes_.push_back(box);
        for (ControlId id : {label, box}) {
            EnableWhen(
                id, [this] { return ManualColor(); }, "Needs the Manual color");
        }
    }
    Row();
    colour_ = DropDownList({}, kColours);
    CommandButton("Color", ColorLead(), noTarget, "BC");
    Row();
    font_ = DropDownList({}, kFonts, 0, true);
    CommandButton("Font", QuotedChoiceOf(font_), noTarget, "BF");
    Row();
    Label("Set:");
    // An integer box: a size that is not a number stops the button before anything goes out.
    size_ = IntegerEdit({}, kInitialSize);
    CommandButton(
        "Size", [this] { return std::to_string(Integer(size_)); }, noTarget, "BS");
    EndGroup();
}

void CArdentBanTab::OnInitDialog() {
    for (ControlId box : channelBoxes_) SetText(box, kFullColourChannel);
    for (ControlId list : {speed_, colour_, font_}) Select(list, 0);
}

bool CArdentBanTab::ManualColor() const {
    return Text(colour_) == kManual;
}

CVideoPage::Part CArdentBanTab::ColorLead() {
    return [this, named = QuotedChoiceOf(colour_)] {
        if (!ManualColor()) return named();
        std::string rgb;
        for (ControlId box : channelBoxes_) rgb += Text(box);
        return rgb;
    };
}

}  // namespace zel
