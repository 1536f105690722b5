#pragma once
// The line above the log that says what the repeat timer resends, with a button that stops it;
// hidden while nothing repeats. A long command is shortened in the middle to the room there is,
// so the line never widens the window; its tool tip holds the whole line.
#include <QWidget>
#include <string>

class QLabel;
class QPushButton;

namespace zel {

class RepeatStatusLine : public QWidget {
    Q_OBJECT

  public:
    explicit RepeatStatusLine(QWidget* parent = nullptr);

    // The terminal's repeat status; empty hides the line.
    void Show(const std::string& status);
    QPushButton* StopButton() const { return stop_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Elide();

    QLabel* text_ = nullptr;
    QPushButton* stop_ = nullptr;
    QString status_;
};

}  // namespace zel
