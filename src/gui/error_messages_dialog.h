#pragma once
// The Error Messages dialog: what the codes a product may answer instead of "R" mean.
class QString;
class QWidget;

namespace zel {

const QString& ErrorMessagesText();

// Modal; closed by its Close button.
void ShowErrorMessages(QWidget* parent);

}  // namespace zel
