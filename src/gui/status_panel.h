#pragma once
// The four status lines as a two-column form. The logic writes each line as a label, tabs and
// a value ("Port:\t\t COM1"); the tabs only aligned the values, which the form's columns do.
#include <QWidget>
#include <array>
#include <string>
#include <utility>

class QLabel;

namespace zel {

// The label and the value of one status line; a line without a tab is all label.
std::pair<QString, QString> SplitStatusLine(const std::string& line);

class StatusPanel : public QWidget {
    Q_OBJECT

  public:
    explicit StatusPanel(QWidget* parent = nullptr);
    void Show(const std::array<std::string, 4>& lines);

  private:
    std::array<QLabel*, 4> labels_{};
    std::array<QLabel*, 4> values_{};
};

}  // namespace zel
