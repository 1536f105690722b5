// A page with a control of every kind, rendered and driven through its widgets as an operator
// drives them: what reaches the page, what it sends, and what the widgets show of its changes.
#include "gui/page_widget.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>

#include "gui/control_widgets.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

using test::FakePageHost;
using Sent = FakePageHost::Sent;

class EveryKindPage : public CPage {
  public:
    explicit EveryKindPage(IPageHost& host) : CPage(host, "Control") {
        Group("Configuration");
        get_ = RadioButton("Get", "mode", true);
        set_ = RadioButton("Set", "mode", false);
        EndGroup();
        Group("Outputs");
        Label("Turn Output");
        output_ = DropDownList({}, {"1", "2", "3"});
        Button("On", [this] { Send(Text(output_) + "ON", true); });
        Button("Refill", [this] { SetChoices(output_, {"7", "8"}, 1); });
        EndGroup();
        Group("Networking", 1);
        Row();
        Button("Device ID", [this] { Send(std::to_string(Integer(device_)) + "ID", true); });
        device_ = IntegerEdit({}, 5, std::pair<int64_t, int64_t>{0, 126});
        Row();
        Button("Name", [this] { Send(Text(name_) + "NM", true); });
        name_ = TextEdit({}, "abc", 4);
        Row();
        address_ = IpAddress("Address", "127.0.0.1");
        Row();
        mode_ = EditableDropDown("Mode", {"A", "B"}, 0);
        Row();
        loop_ = CheckBox("Loop", false, [this] { Send(Checked(loop_) ? "1LP" : "0LP", true); });
        EndGroup();
        Group("Clock", 1);
        date_ = DatePicker("Date", "01/02/2024");
        time_ = TimePicker("Time", "1:02:03 PM");
        EndGroup();
        Group("Files");
        files_ = ReportList("Files", {"Name", "Size"});
        OnChosen(files_, [this] { Send(std::to_string(Selected(files_)) + "SE", true); });
        Row();
        Button("List", [this] { SetRows(files_, {{"a.mpg", "10"}, {"b.mpg"}}); });
        EndGroup();
        volume_ = Slider("Volume", 0, 100, 100, false,
                         [this] { Send(std::to_string(Position(volume_)) + "VO", true); });
        Row();
        Picture("no-such-picture");
        Row();
        Label("Connect the product before pressing a button.", true);
        EnableWhen(device_, [this] { return Checked(set_); });
        ShowWhen(time_, [this] { return Checked(loop_); });
    }

    ControlId get_, set_, output_, device_, name_, address_, mode_, loop_, date_, time_, files_,
        volume_;
};

class PageWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        page.Create();
        widget = std::make_unique<PageWidget>(page);
        widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    }

    template <typename T>
    T* At(const char* path) {
        auto id = page.Find(path);
        EXPECT_TRUE(id) << path;
        return id ? qobject_cast<T*>(widget->WidgetOf(*id)) : nullptr;
    }
    const Control& Model(ControlId id) { return page.At(id); }
    void Click(const char* path) { QTest::mouseClick(At<QAbstractButton>(path), Qt::LeftButton); }

    FakePageHost host;
    EveryKindPage page{host};
    std::unique_ptr<PageWidget> widget;
};

TEST_F(PageWidgetTest, EveryControlHasOneWidgetOfItsKind) {
    const std::map<ControlKind, const char*> kWidgetClasses = {
        {ControlKind::Group, "QGroupBox"},        {ControlKind::Label, "QLabel"},
        {ControlKind::TextEdit, "QLineEdit"},     {ControlKind::IntegerEdit, "QLineEdit"},
        {ControlKind::DropDownList, "QComboBox"}, {ControlKind::EditableDropDown, "QComboBox"},
        {ControlKind::CheckBox, "QCheckBox"},     {ControlKind::RadioButton, "QRadioButton"},
        {ControlKind::PushButton, "QPushButton"}, {ControlKind::Slider, "QSlider"},
        {ControlKind::IpAddress, "QLineEdit"},    {ControlKind::DatePicker, "QDateEdit"},
        {ControlKind::TimePicker, "QTimeEdit"},   {ControlKind::ReportList, "QTreeWidget"},
        {ControlKind::Picture, "QLabel"},
    };
    std::set<ControlKind> kinds;
    std::set<QWidget*> widgets;
    EXPECT_TRUE(widget->Unrendered().empty());
    for (ControlId id = 0; id < static_cast<ControlId>(page.Controls().size()); ++id) {
        const Control& control = page.At(id);
        SCOPED_TRACE(control.path);
        QWidget* shown = widget->WidgetOf(id);
        ASSERT_NE(shown, nullptr);
        EXPECT_STREQ(shown->metaObject()->className(), kWidgetClasses.at(control.kind));
        EXPECT_EQ(shown->objectName().toStdString(), control.path);
        widgets.insert(shown);
        kinds.insert(control.kind);
    }
    EXPECT_EQ(widgets.size(), page.Controls().size());
    EXPECT_EQ(kinds.size(), kWidgetClasses.size()) << "the page should hold every kind";
    EXPECT_FALSE(At<QComboBox>("Outputs/Turn Output")->isEditable());
    EXPECT_TRUE(At<QComboBox>("Networking/Mode")->isEditable());
    EXPECT_EQ(At<QLineEdit>("Networking/Name/value")->maxLength(), 4);
    EXPECT_EQ(widget->CaptionOf(page.address_)->text(), "Address");
}

TEST(ControlKindTest, EveryKindHasAFactoryAndNothingElseDoes) {
    for (int kind = 0; kind <= static_cast<int>(ControlKind::Picture); ++kind) {
        SCOPED_TRACE(ControlKindName(static_cast<ControlKind>(kind)));
        const KindRendering* rendering = RenderingOf(static_cast<ControlKind>(kind));
        ASSERT_NE(rendering, nullptr);
        EXPECT_EQ(rendering->kind, static_cast<ControlKind>(kind));
        EXPECT_NE(rendering->make, nullptr);
    }
    EXPECT_EQ(RenderingOf(static_cast<ControlKind>(static_cast<int>(ControlKind::Picture) + 1)),
              nullptr);
}

TEST_F(PageWidgetTest, WidgetsShowTheModelsInitialValues) {
    EXPECT_TRUE(At<QRadioButton>("Configuration/Get")->isChecked());
    EXPECT_FALSE(At<QRadioButton>("Configuration/Set")->isChecked());
    EXPECT_EQ(At<QComboBox>("Outputs/Turn Output")->currentText(), "1");
    EXPECT_EQ(At<QLineEdit>("Networking/Device ID/value")->text(), "5");
    EXPECT_FALSE(At<QLineEdit>("Networking/Device ID/value")->isEnabled());
    EXPECT_EQ(At<QLineEdit>("Networking/Address")->text(), "127.0.0.1");
    EXPECT_EQ(At<QComboBox>("Networking/Mode")->currentText(), "A");
    EXPECT_EQ(At<QDateEdit>("Clock/Date")->text(), "01/02/2024");
    EXPECT_EQ(At<QTimeEdit>("Clock/Time")->text(), "1:02:03 PM");
    EXPECT_TRUE(At<QTimeEdit>("Clock/Time")->isHidden());
    EXPECT_TRUE(widget->CaptionOf(page.time_)->isHidden());
    EXPECT_EQ(At<QSlider>("Volume")->value(), 100);
    EXPECT_EQ(At<QTreeWidget>("Files/Files")->columnCount(), 2);
    EXPECT_EQ(At<QTreeWidget>("Files/Files")->topLevelItemCount(), 0);
    EXPECT_TRUE(At<QLabel>("Connect the product before pressing a button./label")->wordWrap());
    // The picture resource does not exist: an empty frame stands in its place.
    QLabel* picture = At<QLabel>("picture");
    EXPECT_TRUE(picture->pixmap().isNull());
    EXPECT_NE(picture->frameShape(), QFrame::NoFrame);
}

TEST_F(PageWidgetTest, ClickingAButtonRunsItsHandler) {
    Click("Outputs/On");
    EXPECT_EQ(host.sent, (std::vector<Sent>{{"1ON", true}}));
}

TEST_F(PageWidgetTest, TypingAndChoosingReachTheModel) {
    auto* name = At<QLineEdit>("Networking/Name/value");
    name->clear();
    QTest::keyClicks(name, "xyz");
    EXPECT_EQ(Model(page.name_).text, "xyz");
    Click("Networking/Name");
    EXPECT_EQ(host.sent.back(), (Sent{"xyzNM", true}));

    auto* output = At<QComboBox>("Outputs/Turn Output");
    output->setFocus();
    QTest::keyClick(output, Qt::Key_Down);
    QTest::keyClick(output, Qt::Key_Down);
    EXPECT_EQ(Model(page.output_).selected, 2);
    Click("Outputs/On");
    EXPECT_EQ(host.sent.back(), (Sent{"3ON", true}));

    QTest::keyClicks(At<QComboBox>("Networking/Mode")->lineEdit(), "Q");
    EXPECT_EQ(Model(page.mode_).text, "AQ");
    EXPECT_EQ(Model(page.mode_).selected, -1);

    // The address takes digits and dots only.
    auto* address = At<QLineEdit>("Networking/Address");
    address->clear();
    QTest::keyClicks(address, "10.x0.1.256");
    EXPECT_EQ(Model(page.address_).text, "10.0.1.25");

    auto* date = At<QDateEdit>("Clock/Date");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_Up);
    EXPECT_EQ(Model(page.date_).text, "02/02/2024");
}

TEST_F(PageWidgetTest, ARadioClickReappliesTheRulesAndTheDependentFieldOpens) {
    auto* device = At<QLineEdit>("Networking/Device ID/value");
    ASSERT_FALSE(device->isEnabled());
    Click("Configuration/Set");
    EXPECT_TRUE(Model(page.set_).checked);
    EXPECT_TRUE(device->isEnabled());
    EXPECT_FALSE(At<QRadioButton>("Configuration/Get")->isChecked());
    Click("Configuration/Get");
    EXPECT_FALSE(device->isEnabled());
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(PageWidgetTest, ACheckBoxClickTogglesAndShowsWhatItRules) {
    Click("Networking/Loop");
    EXPECT_TRUE(Model(page.loop_).checked);
    EXPECT_FALSE(At<QTimeEdit>("Clock/Time")->isHidden());
    Click("Networking/Loop");
    EXPECT_EQ(host.sent, (std::vector<Sent>{{"1LP", true}, {"0LP", true}}));
}

TEST_F(PageWidgetTest, ASliderActsOnceWhenReleasedAndAfterEachKeyStep) {
    auto* slider = At<QSlider>("Volume");
    // A drag: the model follows the thumb, the page acts when it is let go.
    slider->setSliderDown(true);
    slider->setSliderPosition(70);
    slider->setSliderPosition(40);
    EXPECT_EQ(Model(page.volume_).position, 40);
    EXPECT_TRUE(host.sent.empty());
    slider->setSliderDown(false);
    EXPECT_EQ(host.sent, (std::vector<Sent>{{"40VO", true}}));

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_EQ(host.sent, (std::vector<Sent>{{"40VO", true}, {"39VO", true}}));
}

TEST_F(PageWidgetTest, AFailedDataExchangeSaysWhyAndSendsNothing) {
    Click("Configuration/Set");
    auto* device = At<QLineEdit>("Networking/Device ID/value");
    device->clear();
    QTest::keyClicks(device, "x1");
    Click("Outputs/On");
    EXPECT_EQ(host.Messages(), std::vector<std::string>{"Please enter an integer."});
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(PageWidgetTest, ChangesTheHandlersMakeAppearInTheWidgets) {
    Click("Outputs/Refill");
    auto* output = At<QComboBox>("Outputs/Turn Output");
    ASSERT_EQ(output->count(), 2);
    EXPECT_EQ(output->itemText(0), "7");
    EXPECT_EQ(output->currentText(), "8");

    Click("Files/List");
    auto* files = At<QTreeWidget>("Files/Files");
    ASSERT_EQ(files->topLevelItemCount(), 2);
    EXPECT_EQ(files->topLevelItem(0)->text(0), "a.mpg");
    EXPECT_EQ(files->topLevelItem(0)->text(1), "10");
    EXPECT_EQ(files->topLevelItem(1)->text(1), "");
    const QRect second = files->visualItemRect(files->topLevelItem(1));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(Model(page.files_).selected, 1);
    EXPECT_EQ(host.sent, (std::vector<Sent>{{"1SE", true}}));
}

TEST_F(PageWidgetTest, AGoneWidgetNoLongerFollowsThePage) {
    widget.reset();
    // Nothing is left listening: an action on the page must not reach a deleted widget.
    EXPECT_EQ(test::PressPath(page, "Outputs/Refill"), ActionResult::Done);
    PageWidget again(page);
    EXPECT_EQ(qobject_cast<QComboBox*>(again.WidgetOf(page.output_))->currentText(), "8");
}

}  // namespace
}  // namespace zel
