#include "pages/video/quelm_ban_tab_dlg.h"

namespace zel {

namespace {

const std::vector<std::string> kColours = {"White",    "Red",   "Green",     "Blue",      "Yellow",
                                           "Cyan",     "Pink",  "Black",     "DarkGreen", "DarkRed",
                                           "DarkBlue", "Peach", "LightBlue", "Magenta"};
const std::vector<std::string> kFonts = {"Arial", "Comic Sans MS", "Courier New", "Script",
                                         "Times New Roman"};
const std::vector<std::string> kSpeeds = {"0-Slowest", "1-Slower", "2-Slow",   "3-Normal",
                                          "4-Fast",    "5-Faster", "6-Fastest"};
constexpr int kNormalSpeed = 3;
constexpr const char* kInitialFile = "ban00001.txt";

}  // namespace

CQuelmBanTabDlg::CQuelmBanTabDlg(IPageHost& host) : CQuelmPage(host, "Banner") {
    const Part channel = ChannelCode();
    Group("Channel Control", 0);
    ChannelBox();
    Row();
    CommandButton("Search", FileArgumentOf(channelFile_), channel, "SE");
    channelFile_ = TextEdit("Filename or #", kInitialFile);
    Row();
    colour_ = DropDownList({}, kColours);
    CommandButton("Set Color", QuotedChoiceOf(colour_), channel, "BC");
    Row();
    font_ = DropDownList({}, kFonts, 0, true);
    CommandButton("Set Font", QuotedChoiceOf(font_), channel, "BF");
    Row();
    speed_ = DropDownList({}, kSpeeds, kNormalSpeed);
    CommandButton("Banner Speed", DigitOf(speed_), channel, "BV");
    Row("Position");
    LeadButtons(kBannerPositions, channel, "BL");
    Row("Images/Banners");
    LeadButtons(kOffOn, channel, "IM");
    Row();
    text_ = TextEdit({});
    BannerTextButton("Banner Text", text_, channel, true);
    EndGroup();

    Group("Group Control", 1);
    GroupBox();
    Row();
    CommandButton("Search", FileArgumentOf(groupFile_), GroupCode(), "EG");
    groupFile_ = TextEdit("Filename or #", kInitialFile);
    EndGroup();
}

void CQuelmBanTabDlg::OnInitDialog() {
    CQuelmPage::OnInitDialog();
    Select(colour_, 0);
    Select(font_, 0);
    Select(speed_, kNormalSpeed);
}

}  // namespace zel
