// The Quelm pages: every button by path with the exact text, carriage-return flag and messages,
// the channel code ("*" for all channels) and the group numbers the catalog gives the product.
#include <gtest/gtest.h>

#include "pages/video/quelm_ban_tab_dlg.h"
#include "pages/video/quelm_img_tab_dlg.h"
#include "pages/video/quelm_tab_dlg.h"
#include "support/page_presses.h"

namespace zel {
namespace {

using test::Choices;
using test::ExpectPresses;
using test::FakePageHost;
using test::kFileMessage;
using test::PressPath;
using test::SetPath;

const std::string kChannel = "Channel Control/Channel #";
const std::string kGroup = "Group Control/Group #";

TEST(QuelmPagesTest, ControlPageSendsToTheChosenChannelOrGroup) {
    const std::string file = "Channel Control/Search/value";
    const std::string groupFile = "Group Control/Search/value";
    ExpectPresses<CQuelmTabDlg>(
        "Quelm",
        {
            {{}, "Channel Control/Play", {{"*PL", true}}},
            {{{kChannel, "3"}}, "Channel Control/Play", {{"3PL", true}}},
            {{}, "Channel Control/Loop", {{"*LP", true}}},
            {{{kChannel, "1"}}, "Channel Control/Stop", {{"1RJ", true}}},
            {{}, "Channel Control/Still", {{"*ST", true}}},
            {{{kChannel, "4"}}, "Channel Control/Pause", {{"4PA", true}}},
            {{}, "Channel Control/Search", {{"\"vid00001.mpg\"*SE", true}}},
            {{{file, "18"}, {kChannel, "2"}}, "Channel Control/Search", {{"182SE", true}}},
            {{{file, ""}}, "Channel Control/Search", {{"*SE", true}}, {kFileMessage}},
            {{}, "Channel Control/Status", {{"*?P", true}}},
            {{{kChannel, "2"}}, "Channel Control/Reset", {{"2RV", true}}},
            {{{kChannel, "2"}}, "Channel Control/Assign Group", {{"02AG", true}}},
            {{{"Channel Control/Assign Group/value", "3"}},
             "Channel Control/Assign Group",
             {{"3*AG", true}}},
            {{}, "Channel Control/Output", {{"NTSC*VD", true}}},
            {{{"Channel Control/Output/value", "1080i"}, {kChannel, "4"}},
             "Channel Control/Output",
             {{"1080i4VD", true}}},
            {{}, "Channel Control/Colorspace", {{"0*VC", true}}},
            {{{"Channel Control/Colorspace/value", "Composite"}, {kChannel, "1"}},
             "Channel Control/Colorspace",
             {{"21VC", true}}},
            {{}, "Channel Control/Aspect", {{"0*VA", true}}},
            {{{"Channel Control/Aspect/value", "16:9 V-Center"}},
             "Channel Control/Aspect",
             {{"5*VA", true}}},
            {{}, "Channel Control/Video/Off", {{"0*VD", true}}},
            {{{kChannel, "2"}}, "Channel Control/Video/On", {{"12VD", true}}},
            {{}, "Channel Control/Audio/Off", {{"0*AD", true}}},
            {{{kChannel, "3"}}, "Channel Control/Audio/On", {{"13AD", true}}},
            {{}, "Group Control/Play", {{"1PG", true}}},
            {{{kGroup, "2"}}, "Group Control/Play", {{"2PG", true}}},
            {{}, "Group Control/Loop", {{"1LG", true}}},
            {{{kGroup, "4"}}, "Group Control/Stop", {{"4RG", true}}},
            {{}, "Group Control/Still", {{"1SG", true}}},
            {{{kGroup, "2"}}, "Group Control/Pause", {{"2UG", true}}},
            {{}, "Group Control/Search", {{"\"vid00001.mpg\"1EG", true}}},
            {{{groupFile, "5"}, {kGroup, "3"}}, "Group Control/Search", {{"53EG", true}}},
            {{{groupFile, "999999"}}, "Group Control/Search", {{"1EG", true}}, {kFileMessage}},
        });
}

TEST(QuelmPagesTest, BannerPageSendsToTheChosenChannelOrGroup) {
    const std::string file = "Channel Control/Filename or #";
    ExpectPresses<CQuelmBanTabDlg>(
        "Quelm", {
                     {{}, "Channel Control/Search", {{"\"ban00001.txt\"*SE", true}}},
                     {{{file, "12"}, {kChannel, "1"}}, "Channel Control/Search", {{"121SE", true}}},
                     {{{file, ""}}, "Channel Control/Search", {{"*SE", true}}, {kFileMessage}},
                     {{}, "Channel Control/Set Color", {{"\"White\"*BC", true}}},
                     {{{"Channel Control/Set Color/value", "Magenta"}, {kChannel, "3"}},
                      "Channel Control/Set Color",
                      {{"\"Magenta\"3BC", true}}},
                     {{}, "Channel Control/Set Font", {{"\"Arial\"*BF", true}}},
                     {{{"Channel Control/Set Font/value", "Comic Sans MS"}},
                      "Channel Control/Set Font",
                      {{"\"Comic Sans MS\"*BF", true}}},
                     {{}, "Channel Control/Banner Speed", {{"3*BV", true}}},
                     {{{"Channel Control/Banner Speed/value", "6-Fastest"}, {kChannel, "1"}},
                      "Channel Control/Banner Speed",
                      {{"61BV", true}}},
                     {{}, "Channel Control/Position/Top", {{"T*BL", true}}},
                     {{{kChannel, "2"}}, "Channel Control/Position/Bottom", {{"B2BL", true}}},
                     {{}, "Channel Control/Images/Banners/Off", {{"0*IM", true}}},
                     {{{kChannel, "4"}}, "Channel Control/Images/Banners/On", {{"14IM", true}}},
                     // An empty banner text goes out too: it clears the banner.
                     {{}, "Channel Control/Banner Text", {{"*BT", true}}},
                     {{{"Channel Control/Banner Text/value", "Welcome"}, {kChannel, "4"}},
                      "Channel Control/Banner Text",
                      {{"Welcome4BT", true}}},
                     {{}, "Group Control/Search", {{"\"ban00001.txt\"1EG", true}}},
                     {{{"Group Control/Filename or #", "7"}, {kGroup, "4"}},
                      "Group Control/Search",
                      {{"74EG", true}}},
                 });
}

TEST(QuelmPagesTest, ImagePageSendsToTheChosenChannelOrGroup) {
    ExpectPresses<CQuelmImgTabDlg>(
        "Quelm", {
                     {{}, "Channel Control/Show Image", {{"\"img00001.jpg\"*SE", true}}},
                     {{{"Channel Control/Filename or #", "7"}, {kChannel, "2"}},
                      "Channel Control/Show Image",
                      {{"72SE", true}}},
                     {{}, "Channel Control/Position/TL", {{"TL*IL", true}}},
                     {{}, "Channel Control/Position/TR", {{"TR*IL", true}}},
                     {{{kChannel, "3"}}, "Channel Control/Position/R", {{"RO3IL", true}}},
                     {{}, "Channel Control/Position/BL", {{"BL*IL", true}}},
                     {{{kChannel, "4"}}, "Channel Control/Position/BR", {{"BR4IL", true}}},
                     {{}, "Channel Control/Images/Banners/Off", {{"0*IM", true}}},
                     {{}, "Channel Control/Images/Banners/On", {{"1*IM", true}}},
                     {{}, "Group Control/Show Image", {{"\"img00001.jpg\"1SE", true}}},
                     {{{"Group Control/Filename or #", ""}, {kGroup, "2"}},
                      "Group Control/Show Image",
                      {{"2SE", true}},
                      {kFileMessage}},
                 });
}

std::vector<std::string> Numbers(int count) {
    std::vector<std::string> numbers;
    for (int i = 1; i <= count; ++i) numbers.push_back(std::to_string(i));
    return numbers;
}

// The group lists follow the product's group count, whatever product the page is given.
TEST(QuelmPagesTest, GroupListsRunUpToTheProductsGroupCount) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    for (const char* name : {"Quelm", "Video Reelmast"}) {
        SCOPED_TRACE(name);
        ProductInfo* product = FindProduct(catalog, name);
        ASSERT_NE(product, nullptr);
        int count = product->Caps().groupCount;
        ASSERT_GT(count, 0);
        FakePageHost host;
        CQuelmTabDlg control(host);
        CQuelmBanTabDlg banner(host);
        CQuelmImgTabDlg image(host);
        for (CPage* page : std::vector<CPage*>{&control, &banner, &image}) {
            page->SetProduct(product);
            page->Create();
            EXPECT_EQ(Choices(*page, kGroup), Numbers(count)) << page->Title();
            EXPECT_EQ(Choices(*page, kChannel),
                      (std::vector<std::string>{"All", "1", "2", "3", "4"}));
        }
        std::vector<std::string> assignable = Numbers(count);
        assignable.insert(assignable.begin(), "None");
        EXPECT_EQ(Choices(control, "Channel Control/Assign Group/value"), assignable);
    }
    EXPECT_EQ(FindProduct(catalog, "Quelm")->Caps().groupCount, 4);
}

TEST(QuelmPagesTest, ListsHoldTheirEntriesInOrder) {
    FakePageHost host;
    CQuelmTabDlg control(host);
    CQuelmBanTabDlg banner(host);
    EXPECT_EQ(Choices(control, "Channel Control/Output/value"),
              (std::vector<std::string>{"NTSC", "PAL", "PALM", "480i", "480p", "576i", "576p",
                                        "720p", "1080i"}));
    EXPECT_EQ(Choices(control, "Channel Control/Colorspace/value"),
              (std::vector<std::string>{"RGB", "YUV", "Composite"}));
    EXPECT_EQ(Choices(control, "Channel Control/Aspect/value"),
              (std::vector<std::string>{"4:3 Normal", "4:3 PanAndScan", "4:3 Letterbox",
                                        "16:9 Normal", "16:9 H-Center", "16:9 V-Center"}));
    EXPECT_EQ(Choices(banner, "Channel Control/Set Color/value"),
              (std::vector<std::string>{"White", "Red", "Green", "Blue", "Yellow", "Cyan", "Pink",
                                        "Black", "DarkGreen", "DarkRed", "DarkBlue", "Peach",
                                        "LightBlue", "Magenta"}));
    EXPECT_EQ(Choices(banner, "Channel Control/Set Font/value"),
              (std::vector<std::string>{"Arial", "Comic Sans MS", "Courier New", "Script",
                                        "Times New Roman"}));
    EXPECT_EQ(Choices(banner, "Channel Control/Banner Speed/value"),
              (std::vector<std::string>{"0-Slowest", "1-Slower", "2-Slow", "3-Normal", "4-Fast",
                                        "5-Faster", "6-Fastest"}));
}

// Reopening the page chooses the initial entries again; typed file names stay.
TEST(QuelmPagesTest, OpeningThePageAgainChoosesTheInitialEntries) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    FakePageHost host;
    CQuelmTabDlg control(host);
    CQuelmBanTabDlg banner(host);
    control.SetProduct(FindProduct(catalog, "Quelm"));
    banner.SetProduct(FindProduct(catalog, "Quelm"));
    control.Create();
    banner.Create();
    const std::pair<CPage*, std::vector<std::pair<std::string, std::string>>> changes[] = {
        {&control,
         {{kChannel, "2"},
          {kGroup, "3"},
          {"Channel Control/Assign Group/value", "4"},
          {"Channel Control/Output/value", "720p"},
          {"Channel Control/Colorspace/value", "YUV"},
          {"Channel Control/Aspect/value", "16:9 Normal"},
          {"Channel Control/Search/value", "intro.mpg"}}},
        {&banner,
         {{"Channel Control/Set Color/value", "Peach"},
          {"Channel Control/Set Font/value", "Script"},
          {"Channel Control/Banner Speed/value", "0-Slowest"}}},
    };
    for (const auto& [page, values] : changes) {
        for (const auto& [path, value] : values) {
            ASSERT_EQ(SetPath(*page, path, value), ActionResult::Done) << path;
        }
        page->Destroy();
        page->Create();
    }
    for (const char* button :
         {"Channel Control/Play", "Group Control/Play", "Channel Control/Assign Group",
          "Channel Control/Output", "Channel Control/Colorspace", "Channel Control/Aspect",
          "Channel Control/Search"}) {
        PressPath(control, button);
    }
    for (const char* button : {"Channel Control/Set Color", "Channel Control/Set Font",
                               "Channel Control/Banner Speed"}) {
        PressPath(banner, button);
    }
    EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{"*PL", true},
                                                          {"1PG", true},
                                                          {"0*AG", true},
                                                          {"NTSC*VD", true},
                                                          {"0*VC", true},
                                                          {"0*VA", true},
                                                          {"\"intro.mpg\"*SE", true},
                                                          {"\"White\"*BC", true},
                                                          {"\"Arial\"*BF", true},
                                                          {"3*BV", true}}));
}

}  // namespace
}  // namespace zel
