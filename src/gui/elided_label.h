#pragma once
// A one-line text that takes the width it is given instead of asking for its whole text's:
// shortened at the end to the room there is, its tool tip holding the whole text.
#include <QLabel>

namespace zel {

class ElidedLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& FullText() const { return full_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Elide();

    QString full_;
};

}  // namespace zel
