#include "pages/video/quelm_img_tab_dlg.h"

namespace zel {

namespace {

const std::vector<ButtonCode> kPositions = {
    {"TL", "TL"}, {"TR", "TR"}, {"R", "RO"}, {"BL", "BL"}, {"BR", "BR"}};
constexpr const char* kInitialFile = "img00001.jpg";

}  // namespace

CQuelmImgTabDlg::CQuelmImgTabDlg(IPageHost& host) : CQuelmPage(host, "Image") {
    const Part channel = ChannelCode();
    Group("Channel Control", 0);
    ChannelBox();
    Row();
    CommandButton("Show Image", FileArgumentOf(channelFile_), channel, "SE");
    channelFile_ = TextEdit("Filename or #", kInitialFile);
    Row("Position");
    LeadButtons(kPositions, channel, "IL");
    Row("Images/Banners");
    LeadButtons(kOffOn, channel, "IM");
    EndGroup();

    Group("Group Control", 1);
    GroupBox();
    Row();
    CommandButton("Show Image", FileArgumentOf(groupFile_), GroupCode(), "SE");
    groupFile_ = TextEdit("Filename or #", kInitialFile);
    EndGroup();
}

}  // namespace zel
