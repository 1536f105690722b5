#pragma once
// The page titles as rows of buttons, standing in for the tab bar when the titles do not fit in
// one row: every title stays in sight, none hides behind scroll arrows. Where they fit, the tab
// bar shows and the rows hide.
#include <QWidget>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QTabWidget;
class QToolButton;

namespace zel {

class PageTabRows : public QWidget {
    Q_OBJECT

  public:
    PageTabRows(QTabWidget& tabs, QWidget* parent = nullptr);

    // After the tabs were replaced: one button per tab, the current one checked.
    void Rebuild();
    bool Shown() const { return !isHidden(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Arrange();
    void ShowCurrent(int index);

    QTabWidget& tabs_;
    QButtonGroup* group_ = nullptr;
    QGridLayout* grid_ = nullptr;
    std::vector<QToolButton*> buttons_;
    int columns_ = 0;
};

}  // namespace zel
