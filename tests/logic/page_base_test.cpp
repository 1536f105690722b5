// The page framework through a small page declared like every product page.
#include "products/page_base.h"

#include <gtest/gtest.h>

#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using test::PressPath;
using test::SetPath;

class SamplePage : public CPage {
  public:
    explicit SamplePage(IPageHost& host) : CPage(host, "Control") {
        Group("Configuration");
        get_ = RadioButton("Get", "mode", true);
        set_ = RadioButton("Set", "mode", false);
        EndGroup();
        Group("Outputs");
        Label("Turn Output");
        output_ = DropDownList({}, {"1", "2", "3"});
        Button("On", [this] { Send(Text(output_) + "ON", true); });
        Button("Off", [this] { Send(Text(output_) + "OF", true); });
        EndGroup();
        Group("Networking");
        Row();
        Button("Device ID", [this] { Send(std::to_string(Integer(device_)) + "ID", true); });
        device_ = IntegerEdit({}, 5, std::pair<int64_t, int64_t>{0, 126});
        Row();
        Button("Name", [this] { Send(Text(name_) + "NM", true); });
        name_ = TextEdit({}, "abc", 4);
        EndGroup();
        Group("Relay Control");
        Row("Play");
        Button("Auto", [this] { Send("XPRL", true); });
        Button("On", [this] { Send("1PRL", true); });
        Row("Fault");
        Button("On", [this] { Send("1FRL", true); });
        EndGroup();
        Slider("Volume", 0, 100, 100, false, [this] { Send("VOL", true); });
        EnableWhen(device_, [this] { return Checked(set_); });
    }

    void OnInitDialog() override { ++initialised; }
    int initialised = 0;

  private:
    ControlId get_, set_, output_, device_, name_;
};

class PageTest : public ::testing::Test {
  protected:
    FakePageHost host;
    SamplePage page{host};
};

TEST_F(PageTest, PathsAreMadeOfTheCaptionsAnOperatorReads) {
    std::vector<std::string> paths;
    for (const Control& control : page.Controls()) paths.push_back(control.path);
    EXPECT_EQ(paths, (std::vector<std::string>{
                         "Configuration",
                         "Configuration/Get",
                         "Configuration/Set",
                         "Outputs",
                         "Outputs/Turn Output/label",
                         "Outputs/Turn Output",
                         "Outputs/On",
                         "Outputs/Off",
                         "Networking",
                         "Networking/Device ID",
                         "Networking/Device ID/value",
                         "Networking/Name",
                         "Networking/Name/value",
                         "Relay Control",
                         "Relay Control/Play/label",
                         "Relay Control/Play/Auto",
                         "Relay Control/Play/On",
                         "Relay Control/Fault/label",
                         "Relay Control/Fault/On",
                         "Volume",
                     }));
}

TEST_F(PageTest, ButtonsSendWhatTheirControlsHold) {
    page.Create();
    ASSERT_EQ(SetPath(page, "Outputs/Turn Output", "3"), ActionResult::Done);
    EXPECT_EQ(PressPath(page, "Outputs/On"), ActionResult::Done);
    EXPECT_EQ(PressPath(page, "Relay Control/Fault/On"), ActionResult::Done);
    EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{"3ON", true}, {"1FRL", true}}));
    EXPECT_EQ(SetPath(page, "Outputs/Turn Output", "4"), ActionResult::BadValue);
    EXPECT_EQ(PressPath(page, "Outputs/Nothing"), ActionResult::NotFound);
}

TEST_F(PageTest, EnablingRulesFollowTheOperatorsChoices) {
    page.Create();
    EXPECT_EQ(SetPath(page, "Networking/Device ID/value", "9"), ActionResult::Disabled);
    ASSERT_EQ(PressPath(page, "Configuration/Set"), ActionResult::Done);
    EXPECT_FALSE(page.At(*page.Find("Configuration/Get")).checked);
    EXPECT_EQ(SetPath(page, "Networking/Device ID/value", "9"), ActionResult::Done);
    PressPath(page, "Networking/Device ID");
    EXPECT_EQ(host.sent.back(), (FakePageHost::Sent{"9ID", true}));
}

TEST_F(PageTest, AFailedDataExchangeSaysWhyAndStopsTheHandler) {
    page.Create();
    PressPath(page, "Configuration/Set");
    struct Case {
        std::string path, value, message;
    };
    const Case cases[] = {
        {"Networking/Device ID/value", "x1", "Please enter an integer."},
        {"Networking/Device ID/value", "127", "Please enter an integer between 0 and 126."},
        {"Networking/Device ID/value", "-1", "Please enter an integer between 0 and 126."},
        {"Networking/Name/value", "abcde", "Please enter no more than 4 characters."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        host.window.shown.clear();
        SetPath(page, "Networking/Device ID/value", "5");
        SetPath(page, "Networking/Name/value", "abc");
        SetPath(page, c.path, c.value);
        // Every button of the page takes all entries in first, as the window system does.
        PressPath(page, "Relay Control/Play/Auto");
        EXPECT_EQ(host.Messages(), std::vector<std::string>{c.message});
        EXPECT_TRUE(host.sent.empty());
    }
    SetPath(page, "Networking/Name/value", "abcd");
    SetPath(page, "Networking/Device ID/value", " 126 ");
    PressPath(page, "Networking/Device ID");
    EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{"126ID", true}}));
}

TEST_F(PageTest, SlidersActOnReleaseAndRadiosChooseOneOfTheirChoice) {
    page.Create();
    EXPECT_EQ(SetPath(page, "Volume", "101"), ActionResult::BadValue);
    EXPECT_EQ(SetPath(page, "Volume", "40"), ActionResult::Done);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(PressPath(page, "Volume"), ActionResult::Done);
    EXPECT_EQ(page.At(*page.Find("Volume")).position, 40);
    EXPECT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(SetPath(page, "Configuration/Get", "0"), ActionResult::BadValue);
    EXPECT_EQ(SetPath(page, "Outputs/On", "1"), ActionResult::WrongKind);
}

TEST_F(PageTest, CreatingThePageRunsItsInitialisationEachTime) {
    int changes = 0;
    page.SetChangeListener([&] { ++changes; });
    page.Create();
    page.Destroy();
    page.Create();
    EXPECT_EQ(page.initialised, 2);
    EXPECT_GE(changes, 2);
}

// A slider whose value label follows the thumb while it moves and the page sends on release.
class LevelPage : public CPage {
  public:
    explicit LevelPage(IPageHost& host) : CPage(host, "Control") {
        Group("Levels");
        Row();
        level_ = Slider(
            "Level", 0, 100, 30, true, [this] { Send(Shown() + "LV", true); },
            [this] { SetText(value_, Shown()); });
        Row();
        value_ = ValueLabel("Level", "70");
        Label("Offset");
        IntegerEdit({}, 0);
        EndGroup();
    }

  private:
    std::string Shown() const { return std::to_string(100 - Position(level_)); }
    ControlId level_, value_;
};

TEST(PageValueLabelTest, AValueLabelIsNamedByItsNameAndFollowsTheThumb) {
    FakePageHost host;
    LevelPage page(host);
    page.Create();
    ASSERT_TRUE(page.Find("Levels/Level/label"));
    // A value label does not name the uncaptioned controls beside it; a plain label does.
    ASSERT_TRUE(page.Find("Levels/Offset"));
    EXPECT_EQ(SetPath(page, "Levels/Level", "10"), ActionResult::Done);
    EXPECT_EQ(page.At(*page.Find("Levels/Level/label")).text, "90");
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(PressPath(page, "Levels/Level"), ActionResult::Done);
    EXPECT_EQ(host.sent, (std::vector<FakePageHost::Sent>{{"90LV", true}}));
}

}  // namespace
}  // namespace zel
