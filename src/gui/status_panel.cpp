#include "gui/status_panel.h"

#include <QGridLayout>
#include <QLabel>

namespace zel {

std::pair<QString, QString> SplitStatusLine(const std::string& line) {
    const QString text = QString::fromStdString(line);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab < 0) return {text.trimmed(), QString()};
    return {text.left(tab).trimmed(), text.mid(tab + 1).trimmed()};
}

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(12);
    for (size_t row = 0; row < labels_.size(); ++row) {
        labels_[row] = new QLabel(this);
        values_[row] = new QLabel(this);
        labels_[row]->setObjectName(QStringLiteral("statusLabel%1").arg(row));
        values_[row]->setObjectName(QStringLiteral("statusValue%1").arg(row));
        values_[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values_[row]->setTextFormat(Qt::PlainText);
        labels_[row]->setTextFormat(Qt::PlainText);
        // An empty line keeps its height, so the group does not jump between connections.
        labels_[row]->setMinimumHeight(labels_[row]->fontMetrics().height());
        layout->addWidget(labels_[row], static_cast<int>(row), 0);
        layout->addWidget(values_[row], static_cast<int>(row), 1);
    }
    layout->setColumnStretch(1, 1);
}

void StatusPanel::Show(const std::array<std::string, 4>& lines) {
    for (size_t row = 0; row < lines.size(); ++row) {
        const auto [label, value] = SplitStatusLine(lines[row]);
        labels_[row]->setText(label);
        values_[row]->setText(value);
    }
}

}  // namespace zel
