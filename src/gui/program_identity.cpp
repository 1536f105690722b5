#include "gui/program_identity.h"

#include <QMessageBox>

namespace zel {

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/zelterm/zelterm." ZELTERM_PICTURE_SUFFIX));
}

void ShowAboutBox(QWidget* parent) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(QStringLiteral("About Zel Terminal"));
    box.setIconPixmap(ProgramIcon().pixmap(64, 64));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromLatin1(kProgramVersionText));
    box.setInformativeText(QString::fromLatin1(kProgramMakerText));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

}  // namespace zel
