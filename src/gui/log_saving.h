#pragma once
// Save Log As: the log as the box shows it, in UTF-8, under a first line that says which
// terminal, product and connection it comes from and when it was saved.
#include <QDateTime>
#include <QString>
#include <string_view>

class QWidget;

namespace zel {

class CZelTermDlg;

// "Zel Terminal Version 3.21, Korvex, Ethernet 127.0.0.1:2638 (Pioneer), 2026-03-07 14:05:09"
QString LogHeading(CZelTermDlg& terminal, const QDateTime& when);

// Writes the heading and the shown log to the file, replacing it only once all is written.
// Returns what went wrong, or nothing.
QString WriteLogFile(const QString& path, const QString& heading, std::string_view logBytes);

// Asks for the file and writes it; a failure is shown in a message box.
void SaveLogAs(QWidget* parent, CZelTermDlg& terminal);

}  // namespace zel
