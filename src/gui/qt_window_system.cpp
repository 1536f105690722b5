#include "gui/qt_window_system.h"

#include <QMessageBox>
#include <map>

namespace zel {
namespace {

const std::map<MessageButtons, QMessageBox::StandardButtons> kButtons = {
    {MessageButtons::Ok, QMessageBox::Ok},
    {MessageButtons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel},
    {MessageButtons::YesNo, QMessageBox::Yes | QMessageBox::No},
    {MessageButtons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
};

const std::map<MessageIcon, QMessageBox::Icon> kIcons = {
    {MessageIcon::None, QMessageBox::NoIcon},
    {MessageIcon::Information, QMessageBox::Information},
    {MessageIcon::Question, QMessageBox::Question},
    {MessageIcon::Warning, QMessageBox::Warning},
    {MessageIcon::Error, QMessageBox::Critical},
};

// Closing the box by its close button or Escape gives its escape button's answer.
const std::map<int, MessageAnswer> kAnswers = {
    {QMessageBox::Ok, MessageAnswer::Ok},
    {QMessageBox::Cancel, MessageAnswer::Cancel},
    {QMessageBox::Yes, MessageAnswer::Yes},
    {QMessageBox::No, MessageAnswer::No},
};

}  // namespace

MessageAnswer QtWindowSystem::MessageBox(const std::string& text, const std::string& caption,
                                         MessageButtons buttons, MessageIcon icon) {
    // The logic's texts end their lines with "\r\n" and may hold angle brackets ("<0D>").
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(kIcons.at(icon), QString::fromStdString(caption), shown, kButtons.at(buttons),
                    parent_);
    box.setTextFormat(Qt::PlainText);
    const auto found = kAnswers.find(box.exec());
    return found != kAnswers.end() ? found->second : MessageAnswer::Cancel;
}

}  // namespace zel
