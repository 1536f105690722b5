#include "gui/page_widget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/control_widgets.h"

namespace zel {
namespace {

struct Cell {
    QWidget* widget;
    bool labelText;  // a label of the page, not a caption made for a field
};

// Widgets that grow fill their cells; the others keep their own size at the cell's left.
Qt::Alignment CellAlignment(QWidget* widget) {
    const bool fills = (widget->sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag) ||
                       qobject_cast<QLabel*>(widget);
    return fills ? Qt::Alignment() : Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

PageWidget::PageWidget(CPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    Make();
    Arrange();
    page_.SetChangeListener([this] { Sync(); });
    Sync();
}

PageWidget::~PageWidget() {
    page_.SetChangeListener({});
}

void PageWidget::Make() {
    const std::vector<Control>& controls = page_.Controls();
    views_.resize(controls.size());
    for (ControlId id = 0; id < static_cast<ControlId>(controls.size()); ++id) {
        const Control& control = controls[id];
        const KindRendering* rendering = RenderingOf(control.kind);
        if (!rendering) {
            unrendered_.push_back(id);
            continue;
        }
        QWidget* parent = control.group >= 0 && views_[control.group].widget
                              ? views_[control.group].widget
                              : this;
        FactoryContext context{page_, parent,
                               [this](const std::string& name) { return RadioGroup(name); }};
        ControlWidget made = rendering->make(context, id);
        View& view = views_[id];
        view.widget = made.widget;
        view.show = std::move(made.show);
        view.widget->setObjectName(QString::fromStdString(control.path));
        if (rendering->caption == CaptionPlace::Beside && !control.caption.empty()) {
            view.caption = new QLabel(QString::fromStdString(control.caption), parent);
            view.caption->setObjectName(QString::fromStdString(control.path + "/caption"));
            view.caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            view.caption->setBuddy(view.widget);
        }
    }
}

QButtonGroup* PageWidget::RadioGroup(const std::string& choiceName) {
    QButtonGroup*& group = radioGroups_[choiceName];
    if (!group) group = new QButtonGroup(this);
    return group;
}

// Groups go to their page columns; the page's own controls stand in the column of the group
// declared before them.
void PageWidget::Arrange() {
    const std::vector<Control>& controls = page_.Controls();
    std::map<ControlId, std::vector<ControlId>> members;  // by container, -1 the page
    int columnCount = 1;
    for (ControlId id = 0; id < static_cast<ControlId>(controls.size()); ++id) {
        if (!views_[id].widget) continue;
        members[controls[id].group].push_back(id);
        if (controls[id].kind == ControlKind::Group && controls[id].group < 0) {
            columnCount = std::max(columnCount, controls[id].column + 1);
        }
    }
    for (const auto& [container, ids] : members) {
        if (container >= 0) {
            ArrangeRows(static_cast<QGridLayout*>(views_[container].widget->layout()), ids);
        }
    }

    auto* page = new QHBoxLayout(this);
    std::vector<QVBoxLayout*> columns;
    for (int i = 0; i < columnCount; ++i) {
        columns.push_back(new QVBoxLayout);
        page->addLayout(columns.back(), 1);
    }
    int column = 0;
    std::vector<ControlId> loose;
    auto placeLoose = [&] {
        if (loose.empty()) return;
        auto* grid = new QGridLayout;
        ArrangeRows(grid, loose);
        columns[column]->addLayout(grid);
        loose.clear();
    };
    for (ControlId id : members[-1]) {
        if (controls[id].kind != ControlKind::Group) {
            loose.push_back(id);
            continue;
        }
        placeLoose();
        column = std::max(controls[id].column, 0);
        columns[column]->addWidget(views_[id].widget);
    }
    placeLoose();
    for (QVBoxLayout* stack : columns) stack->addStretch(1);
}

// A row is a run of controls declared with one row number; a group inside stands on its own.
// The last cell of a row reaches to the grid's right edge, so that long fields may grow.
void PageWidget::ArrangeRows(QGridLayout* grid, const std::vector<ControlId>& members) {
    const std::vector<Control>& controls = page_.Controls();
    std::vector<std::vector<Cell>> rows;
    bool previousStoodAlone = false;
    int previousRow = 0;
    for (ControlId id : members) {
        const Control& control = controls[id];
        const bool standsAlone = control.kind == ControlKind::Group;
        if (rows.empty() || standsAlone || previousStoodAlone || control.row != previousRow) {
            rows.emplace_back();
        }
        if (views_[id].caption) rows.back().push_back({views_[id].caption, false});
        rows.back().push_back({views_[id].widget, control.kind == ControlKind::Label});
        previousStoodAlone = standsAlone;
        previousRow = control.row;
    }
    // Rows of buttons alone stand packed from the left, apart from the grid's columns, which
    // align the labels and fields of the other rows.
    auto onlyButtons = [](const std::vector<Cell>& cells) {
        return std::all_of(cells.begin(), cells.end(), [](const Cell& cell) {
            return qobject_cast<QPushButton*>(cell.widget) != nullptr;
        });
    };
    int width = 0;
    for (const auto& cells : rows) {
        if (!onlyButtons(cells)) width = std::max(width, static_cast<int>(cells.size()));
    }
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const std::vector<Cell>& cells = rows[row];
        if (onlyButtons(cells)) {
            auto* packed = new QHBoxLayout;
            std::vector<QWidget*> buttons;
            for (const Cell& cell : cells) {
                packed->addWidget(cell.widget);
                buttons.push_back(cell.widget);
            }
            packed->addStretch(1);
            grid->addLayout(packed, row, 0, 1, width + 1);
            EqualiseWidths(buttons);
            continue;
        }
        for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
            const bool last = i + 1 == static_cast<int>(cells.size());
            // A label before a field reads into it.
            if (cells[i].labelText && !last) {
                static_cast<QLabel*>(cells[i].widget)
                    ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            grid->addWidget(cells[i].widget, row, i, 1, last ? width + 1 - i : 1,
                            CellAlignment(cells[i].widget));
        }
    }
    grid->setColumnStretch(width, 1);
    std::vector<QWidget*> gridButtons;
    for (const auto& cells : rows) {
        if (onlyButtons(cells)) continue;
        for (const Cell& cell : cells) {
            if (qobject_cast<QPushButton*>(cell.widget)) gridButtons.push_back(cell.widget);
        }
    }
    EqualiseWidths(gridButtons);
}

// Buttons that stand together are as wide as the widest of them.
void PageWidget::EqualiseWidths(const std::vector<QWidget*>& buttons) {
    int width = 0;
    for (QWidget* button : buttons) width = std::max(width, button->sizeHint().width());
    for (QWidget* button : buttons) button->setMinimumWidth(width);
}

void PageWidget::Sync() {
    const std::vector<Control>& controls = page_.Controls();
    for (ControlId id = 0; id < static_cast<ControlId>(controls.size()); ++id) {
        const View& view = views_[id];
        if (!view.widget) continue;
        const Control& control = controls[id];
        {
            QSignalBlocker blocker(view.widget);
            view.show(control);
        }
        for (QWidget* shown : {view.widget, static_cast<QWidget*>(view.caption)}) {
            if (!shown) continue;
            shown->setEnabled(control.enabled);
            shown->setVisible(control.visible);
            shown->setToolTip(QString::fromStdString(page_.DisabledReason(id)));
        }
    }
}

}  // namespace zel
