#include "pages/video/ardent_img_tab.h"

#include "pages/video/ardent_channels.h"

namespace zel {

namespace {

const std::vector<ButtonCode> kPositions = {{"TL", "TL"}, {"TR", "TR"}, {"CE", "CE"},
                                            {"BL", "BL"}, {"BR", "BR"}, {"ROTATE", "RO"}};
// The player takes 0 for showing the image and 1 for hiding it.
const std::vector<ButtonCode> kImageSwitch = {{"On", "0"}, {"Off", "1"}};

}  // namespace

CArdentImgTab::CArdentImgTab(IPageHost& host) : CVideoPage(host, "Image") {
    const Part noTarget = Fixed({});
    const Part channel = Fixed(ardent::kImageChannel);
    Group("Image Control", 0);
    CommandButton("Search", FileArgumentOf(file_), channel, "SE");
    file_ = TextEdit("Filename, or #", "1");
    EndGroup();
    Group("Position", 0);
    LeadButtons(kPositions, noTarget, "IL");
    EndGroup();
    Group("Queries", 1);
    CommandButton("Current File", noTarget, channel, "?C");
    EndGroup();
    Group("Image", 1);
    LeadButtons(kImageSwitch, noTarget, "IM");
    EndGroup();
}

}  // namespace zel
