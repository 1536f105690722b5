// The four-part IP address field typed into with real key events, as an operator types.
#include "gui/ip_address_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>

#include "services/dialog_fields.h"

namespace zel {
namespace {

// Each key goes where the caret is, as the operator's keyboard sends it.
void TypeAsOperator(IpAddressEdit& edit, const QString& keys) {
    for (QChar key : keys) QTest::keyClick(edit.focusWidget(), key.toLatin1());
}

struct Typing {
    const char* what;
    const char* before;  // the address the field shows first, or empty
    const char* keys;
    const char* stored;
};

void PrintTo(const Typing& typing, std::ostream* out) {
    *out << typing.what;
}

class IpAddressTyping : public ::testing::TestWithParam<Typing> {};

TEST_P(IpAddressTyping, StoresTheAddressAsTyped) {
    const Typing& typing = GetParam();
    IpAddressEdit edit;
    edit.SetAddress(ParseDottedAddress(typing.before));
    edit.show();
    edit.Field(0)->setFocus();
    edit.Field(0)->selectAll();
    TypeAsOperator(edit, QString::fromLatin1(typing.keys));
    EXPECT_EQ(DottedAddress(edit.Address()), typing.stored);
}

INSTANTIATE_TEST_SUITE_P(
    IpAddressEdit, IpAddressTyping,
    ::testing::Values(Typing{"DotsAfterEveryPart", "", "192.168.1.20", "192.168.1.20"},
                      Typing{"NoDotsAfterThreeDigits", "", "192168.1.20", "192.168.1.20"},
                      Typing{"OverAnotherAddress", "10.0.0.5", "192.168.1.20", "192.168.1.20"},
                      Typing{"ShortParts", "", "10.0.0.7", "10.0.0.7"},
                      Typing{"APartAbove255", "", "300.1.2.3", "255.1.2.3"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(IpAddressEditKeys, APastedAddressFillsAllFourPartsFromAnyPart) {
    IpAddressEdit edit;
    edit.SetAddress(ParseDottedAddress("10.0.0.5"));
    edit.show();
    std::optional<uint32_t> told;
    edit.onChanged = [&](uint32_t address) { told = address; };
    QGuiApplication::clipboard()->setText(QStringLiteral(" 192.168.1.20\n"));
    edit.Field(2)->setFocus();
    QTest::keySequence(edit.Field(2), QKeySequence::Paste);
    EXPECT_EQ(DottedAddress(edit.Address()), "192.168.1.20");
    EXPECT_EQ(told, ParseDottedAddress("192.168.1.20"));
}

TEST(IpAddressEditKeys, BackspaceInAnEmptyPartGoesBackToThePreviousOne) {
    IpAddressEdit edit;
    edit.show();
    edit.Field(0)->setFocus();
    TypeAsOperator(edit, QStringLiteral("10.5"));
    QTest::keyClick(edit.focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(edit.focusWidget(), edit.Field(1));
    QTest::keyClick(edit.focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(edit.focusWidget(), edit.Field(0));
    QTest::keyClick(edit.focusWidget(), Qt::Key_Backspace);  // from the end of "10"
    EXPECT_EQ(edit.Field(0)->text(), "1");
}

// Entered by a click in mid-text or by Tab, a full part is replaced by what is typed.
TEST(IpAddressEditKeys, APartEnteredByClickOrTabIsReplacedByTyping) {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* edit = new IpAddressEdit(&window);
    auto* row = new QHBoxLayout(&window);
    row->addWidget(before);
    row->addWidget(edit);
    edit->SetAddress(ParseDottedAddress("192.168.0.254"));
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    before->setFocus();
    QLineEdit* first = edit->Field(0);
    QTest::mouseClick(first, Qt::LeftButton, {}, first->rect().center());
    ASSERT_EQ(edit->focusWidget(), first);
    TypeAsOperator(*edit, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(DottedAddress(edit->Address()), "127.0.0.1");

    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    TypeAsOperator(*edit, QStringLiteral("10"));
    EXPECT_EQ(DottedAddress(edit->Address()), "10.0.0.1");
}

}  // namespace
}  // namespace zel
