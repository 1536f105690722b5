#include "pages/video/quelm_tab_dlg.h"

namespace zel {

namespace {

const std::vector<ButtonCode> kChannelTransport = {
    {"Play", "PL"}, {"Loop", "LP"}, {"Stop", "RJ"}, {"Still", "ST"}, {"Pause", "PA"}};
const std::vector<ButtonCode> kChannelState = {{"Status", "?P"}, {"Reset", "RV"}};
const std::vector<ButtonCode> kGroupTransport = {
    {"Play", "PG"}, {"Loop", "LG"}, {"Stop", "RG"}, {"Still", "SG"}, {"Pause", "UG"}};

constexpr const char* kNoGroup = "None";
constexpr const char* kNoGroupCode = "0";
constexpr const char* kInitialFile = "vid00001.mpg";

const std::vector<std::string> kOutputs = {"NTSC", "PAL",  "PALM", "480i", "480p",
                                           "576i", "576p", "720p", "1080i"};
// Sent as their positions in these lists.
const std::vector<std::string> kColourSpaces = {"RGB", "YUV", "Composite"};
const std::vector<std::string> kAspects = {"4:3 Normal",  "4:3 PanAndScan", "4:3 Letterbox",
                                           "16:9 Normal", "16:9 H-Center",  "16:9 V-Center"};

}  // namespace

CQuelmTabDlg::CQuelmTabDlg(IPageHost& host) : CQuelmPage(host, "Control") {
    const Part channel = ChannelCode();
    Group("Channel Control", 0);
    ChannelBox();
    Row();
    LetterButtons(kChannelTransport, channel);
    Row();
    CommandButton("Search", FileArgumentOf(channelFile_), channel, "SE");
    channelFile_ = TextEdit({}, kInitialFile);
    Row();
    LetterButtons(kChannelState, channel);
    Row();
    CommandButton("Assign Group", AssignedGroup(), channel, "AG");
    assignGroup_ = DropDownList({}, {});
    Row();
    CommandButton(
        "Output", [this] { return Text(output_); }, channel, "VD");
    output_ = DropDownList({}, kOutputs);
    Row();
    CommandButton("Colorspace", PositionOf(colourSpace_), channel, "VC");
    colourSpace_ = DropDownList({}, kColourSpaces);
    Row();
    CommandButton("Aspect", PositionOf(aspect_), channel, "VA");
    aspect_ = DropDownList({}, kAspects);
    Row("Video");
    LeadButtons(kOffOn, channel, "VD");
    Row("Audio");
    LeadButtons(kOffOn, channel, "AD");
    EndGroup();

    const Part group = GroupCode();
    Group("Group Control", 1);
    GroupBox();
    Row();
    LetterButtons(kGroupTransport, group);
    Row();
    CommandButton("Search", FileArgumentOf(groupFile_), group, "EG");
    groupFile_ = TextEdit({}, kInitialFile);
    EndGroup();
}

void CQuelmTabDlg::OnInitDialog() {
    CQuelmPage::OnInitDialog();
    std::vector<std::string> assignable = {kNoGroup};
    for (std::string& number : GroupNumbers()) assignable.push_back(std::move(number));
    SetChoices(assignGroup_, std::move(assignable));
    for (ControlId list : {output_, colourSpace_, aspect_}) Select(list, 0);
}

CVideoPage::Part CQuelmTabDlg::AssignedGroup() {
    return [this] {
        std::string group = Text(assignGroup_);
        return group == kNoGroup ? std::string(kNoGroupCode) : group;
    };
}

}  // namespace zel
