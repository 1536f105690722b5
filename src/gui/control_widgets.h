#pragma once
// One small factory per control kind. Each makes the widget that shows a control of a page,
// wires the operator's actions on it to the page, and says how to copy the control's values in.
// The widgets hold nothing the page does not: every value comes from the page's model.
#include <QString>
#include <functional>
#include <string>

#include "products/page_base.h"

class QButtonGroup;
class QWidget;

namespace zel {

// Where the caption of a control of a kind stands.
enum class CaptionPlace {
    None,      // the kind has no caption of its own (labels, pictures)
    OnWidget,  // the widget shows it (buttons, check boxes, group boxes)
    Beside,    // a label before the widget (edits, lists, sliders, pickers)
};

struct ControlWidget {
    QWidget* widget = nullptr;
    // Copies the control's values into the widget; the caller blocks the widget's signals.
    std::function<void(const Control&)> show;
};

struct FactoryContext {
    CPage& page;
    QWidget* parent;
    // The exclusive group of the page's radio buttons that share a choice name.
    std::function<QButtonGroup*(const std::string& choiceName)> radioGroup;
};

struct KindRendering {
    ControlKind kind;
    CaptionPlace caption;
    ControlWidget (*make)(FactoryContext& context, ControlId id);
};

// How a kind is rendered; null for a kind no factory knows.
const KindRendering* RenderingOf(ControlKind kind);

// Page values are bytes for the wire, one character per byte; captions are UTF-8 text.
inline QString BytesToQt(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
inline std::string BytesFromQt(const QString& text) {
    return text.toLatin1().toStdString();
}

// Where the renderer finds the picture a Picture control names.
QString PictureResourcePath(const std::string& name);

}  // namespace zel
