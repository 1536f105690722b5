#pragma once
// Any product page as widgets. Groups stand in the page's columns in the order they are
// declared; the rows of a group form a grid, their controls left to right. The widgets show the
// page's model after every change it announces and hand every action of the operator to it.
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "products/page_base.h"

class QButtonGroup;
class QGridLayout;
class QLabel;

namespace zel {

class PageWidget : public QWidget {
    Q_OBJECT

  public:
    // Follows the page's changes until destroyed; one widget per page at a time.
    explicit PageWidget(CPage& page, QWidget* parent = nullptr);
    ~PageWidget() override;

    CPage& Page() const { return page_; }
    // The widget showing a control; null for a control of a kind no factory renders.
    QWidget* WidgetOf(ControlId id) const { return views_[id].widget; }
    // The label before a control whose caption stands beside it, if it has one.
    QLabel* CaptionOf(ControlId id) const { return views_[id].caption; }
    // Controls of kinds no factory renders; a finished program has none.
    const std::vector<ControlId>& Unrendered() const { return unrendered_; }

  private:
    struct View {
        QWidget* widget = nullptr;
        QLabel* caption = nullptr;
        std::function<void(const Control&)> show;
    };

    void Make();
    void Arrange();
    void ArrangeRows(QGridLayout* grid, const std::vector<ControlId>& members);
    static void EqualiseWidths(const std::vector<QWidget*>& buttons);
    QButtonGroup* RadioGroup(const std::string& choiceName);
    void Sync();

    CPage& page_;
    std::vector<View> views_;
    std::map<std::string, QButtonGroup*> radioGroups_;
    std::vector<ControlId> unrendered_;
};

}  // namespace zel
