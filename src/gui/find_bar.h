#pragma once
// The bar that finds a text in the log box: Enter (or F3) finds the next match, Shift+Enter (or
// Shift+F3) the one before, going round at the ends; the match is selected and scrolled into
// view. Escape closes the bar.
#include <QPalette>
#include <QWidget>

#include "gui/text_search.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zel {

class LogView;

class FindBar : public QWidget {
    Q_OBJECT

  public:
    explicit FindBar(LogView& log, QWidget* parent = nullptr);

    // Shows the bar with its text ready to be typed over.
    void Open();
    void Close();
    void Find(SearchDirection direction);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowOutcome(const QString& message, bool failed);

    LogView& log_;
    QLineEdit* field_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QLabel* outcome_ = nullptr;
    QPalette fieldPalette_;
};

}  // namespace zel
