#include "gui/control_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStatusTipEvent>
#ifndef ZELTERM_PICTURE_SCALE
#include <QSvgRenderer>
#endif
#include <QTimeEdit>
#include <QTreeWidget>
#include <array>

#include "pages/dry_press.h"

namespace zel {
namespace {

// The fixed forms the pages hold dates and times in.
const QString kDateForm = QStringLiteral("MM/dd/yyyy");
const QString kTimeForm = QStringLiteral("h:mm:ss AP");

constexpr int kWidestSizedEditChars = 32;
constexpr int kUnboundedIntegerDigits = 8;
constexpr int kEditFramePixels = 16;
constexpr int kSliderLengthPixels = 160;
constexpr int kReportListLines = 8;
constexpr QSize kLargestPicture{320, 200};
constexpr QSize kEmptyPicture{96, 72};

QString Caption(const Control& control) {
    return QString::fromStdString(control.caption);
}

void FixWidthForCharacters(QLineEdit* edit, int characters) {
    const int digitWidth = edit->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    edit->setFixedWidth(digitWidth * characters + kEditFramePixels);
}

void ShowText(QLineEdit* edit, const std::string& text) {
    const QString shown = BytesToQt(text);
    if (edit->text() != shown) edit->setText(shown);
}

// Replaces a list's entries only when they differ, so an open list keeps its place.
void ShowChoices(QComboBox* list, const std::vector<std::string>& choices) {
    bool same = list->count() == static_cast<int>(choices.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->itemText(i) == BytesToQt(choices[i]);
    if (same) return;
    list->clear();
    for (const std::string& choice : choices) list->addItem(BytesToQt(choice));
}

QLineEdit* LineEditEnteringText(FactoryContext& context, ControlId id) {
    auto* edit = new QLineEdit(context.parent);
    CPage& page = context.page;
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&page, id](const QString& text) { page.EnterText(id, BytesFromQt(text)); });
    if (const ControlId button = page.At(id).enterPresses; button >= 0) {
        QObject::connect(edit, &QLineEdit::returnPressed, edit,
                         [&page, button] { page.Press(button); });
    }
    return edit;
}

ControlWidget ShowingText(QLineEdit* edit) {
    return {edit, [edit](const Control& control) { ShowText(edit, control.text); }};
}

ControlWidget MakeGroup(FactoryContext& context, ControlId id) {
    auto* box = new QGroupBox(Caption(context.page.At(id)), context.parent);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    new QGridLayout(box);
    return {box, [](const Control&) {}};
}

ControlWidget MakeLabel(FactoryContext& context, ControlId id) {
    auto* label = new QLabel(context.parent);
    label->setTextFormat(Qt::PlainText);
    if (context.page.At(id).multiLine) {
        label->setWordWrap(true);
        label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }
    return {label, [label](const Control& control) {
                label->setText(QString::fromStdString(control.text));
            }};
}

ControlWidget MakeTextEdit(FactoryContext& context, ControlId id) {
    QLineEdit* edit = LineEditEnteringText(context, id);
    const size_t maxLength = context.page.At(id).maxLength;
    if (maxLength > 0) {
        edit->setMaxLength(static_cast<int>(maxLength));
        if (maxLength <= kWidestSizedEditChars) {
            FixWidthForCharacters(edit, static_cast<int>(maxLength) + 1);
        }
    }
    return ShowingText(edit);
}

// Anything may be typed: the page's data exchange says what is wrong when a button is pressed.
ControlWidget MakeIntegerEdit(FactoryContext& context, ControlId id) {
    QLineEdit* edit = LineEditEnteringText(context, id);
    const auto& range = context.page.At(id).range;
    const int digits = range ? static_cast<int>(std::max(std::to_string(range->first).size(),
                                                         std::to_string(range->second).size()))
                             : kUnboundedIntegerDigits;
    FixWidthForCharacters(edit, std::max(digits, 3) + 1);
    return ShowingText(edit);
}

ControlWidget MakeIpAddress(FactoryContext& context, ControlId id) {
    QLineEdit* edit = LineEditEnteringText(context, id);
    static const QRegularExpression kDottedQuad(
        QStringLiteral("((25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\.){0,3}"
                       "(25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)?"));
    edit->setValidator(new QRegularExpressionValidator(kDottedQuad, edit));
    FixWidthForCharacters(edit, 16);
    return ShowingText(edit);
}

QComboBox* ListChoosingEntries(FactoryContext& context, ControlId id, bool editable) {
    auto* list = new QComboBox(context.parent);
    list->setEditable(editable);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMaxVisibleItems(20);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    CPage& page = context.page;
    QObject::connect(list, &QComboBox::activated, list,
                     [&page, id](int index) { page.ChooseEntry(id, index); });
    return list;
}

ControlWidget MakeDropDownList(FactoryContext& context, ControlId id) {
    QComboBox* list = ListChoosingEntries(context, id, false);
    return {list, [list](const Control& control) {
                ShowChoices(list, control.choices);
                list->setCurrentIndex(control.selected);
            }};
}

ControlWidget MakeEditableDropDown(FactoryContext& context, ControlId id) {
    QComboBox* list = ListChoosingEntries(context, id, true);
    CPage& page = context.page;
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, list,
                     [&page, id](const QString& text) { page.EnterText(id, BytesFromQt(text)); });
    return {list, [list](const Control& control) {
                ShowChoices(list, control.choices);
                if (list->currentIndex() != control.selected)
                    list->setCurrentIndex(control.selected);
                ShowText(list->lineEdit(), control.text);
            }};
}

ControlWidget MakeCheckBox(FactoryContext& context, ControlId id) {
    auto* box = new QCheckBox(Caption(context.page.At(id)), context.parent);
    CPage& page = context.page;
    QObject::connect(box, &QCheckBox::clicked, box,
                     [&page, id](bool checked) { page.Tick(id, checked); });
    return {box, [box](const Control& control) { box->setChecked(control.checked); }};
}

ControlWidget MakeRadioButton(FactoryContext& context, ControlId id) {
    const Control& control = context.page.At(id);
    auto* radio = new QRadioButton(Caption(control), context.parent);
    QButtonGroup* group = context.radioGroup(control.choiceName);
    group->addButton(radio);
    CPage& page = context.page;
    QObject::connect(radio, &QRadioButton::clicked, radio, [&page, id] { page.Press(id); });
    // An exclusive group keeps one button on; the page may hold none on, so the group lets go
    // while the model's value is copied in.
    return {radio, [radio, group](const Control& shown) {
                if (radio->isChecked() == shown.checked) return;
                group->setExclusive(false);
                radio->setChecked(shown.checked);
                group->setExclusive(true);
            }};
}

// A button's tooltip tells what pressing it would send with the fields as they are, so it is
// worked out each time it is asked for.
class PressTipFilter : public QObject {
  public:
    PressTipFilter(const CPage& page, ControlId id, QWidget* button)
        : QObject(button), page_(page), id_(id) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::ToolTip) {
            button->setToolTip(QString::fromStdString(PressTip(page_, id_)));
        } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            // Reached with the keyboard, the button tells the window's status line the same.
            QString tip;
            if (event->type() == QEvent::FocusIn) {
                tip = QString::fromStdString(PressTip(page_, id_));
                tip = static_cast<QPushButton*>(button)->text().remove(QLatin1Char('&')) +
                      QStringLiteral(": ") + tip.replace(QLatin1Char('\n'), QStringLiteral("  "));
            }
            QStatusTipEvent statusTip(tip);
            QCoreApplication::sendEvent(button, &statusTip);
        }
        return false;
    }

  private:
    const CPage& page_;
    ControlId id_;
};

ControlWidget MakePushButton(FactoryContext& context, ControlId id) {
    auto* button = new QPushButton(Caption(context.page.At(id)), context.parent);
    button->setAutoDefault(false);
    CPage& page = context.page;
    QObject::connect(button, &QPushButton::clicked, button, [&page, id] { page.Press(id); });
    button->installEventFilter(new PressTipFilter(page, id, button));
    return {button, [](const Control&) {}};
}

// The page acts when the operator lets go of the thumb, and after every step taken with the
// keyboard, the wheel or a click beside the thumb.
ControlWidget MakeSlider(FactoryContext& context, ControlId id) {
    const Control& control = context.page.At(id);
    auto* slider = new QSlider(control.vertical ? Qt::Vertical : Qt::Horizontal, context.parent);
    slider->setRange(control.minimum, control.maximum);
    slider->setTickPosition(control.vertical ? QSlider::TicksRight : QSlider::TicksBelow);
    slider->setTickInterval(std::max(1, (control.maximum - control.minimum) / 10));
    slider->setPageStep(std::max(1, (control.maximum - control.minimum) / 10));
    if (control.vertical) {
        slider->setMinimumHeight(kSliderLengthPixels);
    } else {
        slider->setMinimumWidth(kSliderLengthPixels);
    }
    CPage& page = context.page;
    QObject::connect(slider, &QSlider::valueChanged, slider, [&page, id, slider](int position) {
        page.Drag(id, position);
        if (!slider->isSliderDown()) page.Press(id);
    });
    QObject::connect(slider, &QSlider::sliderReleased, slider, [&page, id] { page.Press(id); });
    return {slider, [slider](const Control& shown) { slider->setValue(shown.position); }};
}

// A picker shows and hands over its value in the page's fixed form.
ControlWidget Picking(FactoryContext& context, ControlId id, QDateTimeEdit* picker,
                      const QString& form, std::function<void(const QString&)> showText) {
    picker->setLocale(QLocale::c());  // the forms are fixed, whatever the PC's language
    picker->setDisplayFormat(form);
    // Room for the widest value and the arrows beside it.
    const QFontMetrics metrics = picker->fontMetrics();
    picker->setMinimumWidth(metrics.horizontalAdvance(
                                QDateTime(QDate(2000, 12, 28), QTime(12, 58, 58)).toString(form)) +
                            2 * metrics.height() + kEditFramePixels);
    CPage& page = context.page;
    QObject::connect(picker, &QDateTimeEdit::dateTimeChanged, picker,
                     [&page, id, picker] { page.EnterText(id, BytesFromQt(picker->text())); });
    return {picker, [picker, showText](const Control& control) {
                const QString text = BytesToQt(control.text);
                if (picker->text() != text) showText(text);
            }};
}

ControlWidget MakeDatePicker(FactoryContext& context, ControlId id) {
    auto* picker = new QDateEdit(context.parent);
    picker->setCalendarPopup(true);
    return Picking(context, id, picker, kDateForm, [picker](const QString& text) {
        const QDate date = QDate::fromString(text, kDateForm);
        if (date.isValid()) picker->setDate(date);
    });
}

ControlWidget MakeTimePicker(FactoryContext& context, ControlId id) {
    auto* picker = new QTimeEdit(context.parent);
    return Picking(context, id, picker, kTimeForm, [picker](const QString& text) {
        const QTime time = QTime::fromString(text, kTimeForm);
        if (time.isValid()) picker->setTime(time);
    });
}

std::vector<std::vector<std::string>> ShownRows(const QTreeWidget* list) {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = 0; column < item->columnCount(); ++column) {
            cells.push_back(BytesFromQt(item->text(column)));
        }
    }
    return rows;
}

ControlWidget MakeReportList(FactoryContext& context, ControlId id) {
    auto* list = new QTreeWidget(context.parent);
    QStringList headers;
    for (const std::string& column : context.page.At(id).columns) {
        headers << QString::fromStdString(column);
    }
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setMinimumHeight(list->fontMetrics().lineSpacing() * kReportListLines);
    list->header()->setStretchLastSection(true);
    CPage& page = context.page;
    QObject::connect(list, &QTreeWidget::itemSelectionChanged, list, [&page, id, list] {
        const QList<QTreeWidgetItem*> chosen = list->selectedItems();
        if (!chosen.isEmpty()) page.ChooseEntry(id, list->indexOfTopLevelItem(chosen.front()));
    });
    return {list, [list](const Control& control) {
                // Cells the model leaves out of a row are shown empty.
                std::vector<std::vector<std::string>> rows = control.rows;
                for (auto& row : rows) row.resize(std::max<size_t>(control.columns.size(), 1));
                if (ShownRows(list) != rows) {
                    list->clear();
                    for (const auto& row : rows) {
                        QStringList cells;
                        for (const std::string& cell : row) cells << BytesToQt(cell);
                        list->addTopLevelItem(new QTreeWidgetItem(cells));
                    }
                }
                QTreeWidgetItem* chosen =
                    control.selected >= 0 ? list->topLevelItem(control.selected) : nullptr;
                list->setCurrentItem(chosen);
                if (!chosen) list->clearSelection();
            }};
}

// The picture's own size, made smaller to fit.
QSize Fitted(QSize size) {
    if (size.width() > kLargestPicture.width() || size.height() > kLargestPicture.height()) {
        size.scale(kLargestPicture, Qt::KeepAspectRatio);
    }
    return size;
}

// The picture drawn at its fitted size for the screen's pixel ratio; null when there is none.
QPixmap DrawnPicture(const QString& path, qreal ratio) {
#ifdef ZELTERM_PICTURE_SCALE
    // The Qt built for Windows has no SVG module: the build drew each picture to a PNG at
    // ZELTERM_PICTURE_SCALE times its own size, which is scaled down here.
    const QImage image(path);
    if (image.isNull()) return {};
    const QSize size = Fitted(image.size() / ZELTERM_PICTURE_SCALE);
    QPixmap pixmap = QPixmap::fromImage(
        image.scaled(size * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
#else
    QSvgRenderer renderer;
    if (!QFile::exists(path) || !renderer.load(path)) return {};
    const QSize size = Fitted(renderer.defaultSize());
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
#endif
    return pixmap;
}

// The picture drawn at its own size, made smaller to fit; an empty frame when there is none.
void ShowPicture(QLabel* label, const std::string& name) {
    const QString path = PictureResourcePath(name);
    if (label->property("picture").toString() == path) return;
    label->setProperty("picture", path);
    const QPixmap pixmap = DrawnPicture(path, label->devicePixelRatioF());
    if (pixmap.isNull()) {
        label->setPixmap({});
        label->setFrameShape(QFrame::StyledPanel);
        label->setMinimumSize(kEmptyPicture);
        return;
    }
    label->setFrameShape(QFrame::NoFrame);
    label->setMinimumSize(pixmap.deviceIndependentSize().toSize());
    label->setPixmap(pixmap);
}

ControlWidget MakePicture(FactoryContext& context, ControlId) {
    auto* label = new QLabel(context.parent);
    label->setAlignment(Qt::AlignCenter);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return {label, [label](const Control& control) { ShowPicture(label, control.text); }};
}

// In the order of the kinds, so that a kind finds its entry by its value.
constexpr std::array<KindRendering, 15> kRenderings = {{
    {ControlKind::Group, CaptionPlace::OnWidget, MakeGroup},
    {ControlKind::Label, CaptionPlace::None, MakeLabel},
    {ControlKind::TextEdit, CaptionPlace::Beside, MakeTextEdit},
    {ControlKind::IntegerEdit, CaptionPlace::Beside, MakeIntegerEdit},
    {ControlKind::DropDownList, CaptionPlace::Beside, MakeDropDownList},
    {ControlKind::EditableDropDown, CaptionPlace::Beside, MakeEditableDropDown},
    {ControlKind::CheckBox, CaptionPlace::OnWidget, MakeCheckBox},
    {ControlKind::RadioButton, CaptionPlace::OnWidget, MakeRadioButton},
    {ControlKind::PushButton, CaptionPlace::OnWidget, MakePushButton},
    {ControlKind::Slider, CaptionPlace::Beside, MakeSlider},
    {ControlKind::IpAddress, CaptionPlace::Beside, MakeIpAddress},
    {ControlKind::DatePicker, CaptionPlace::Beside, MakeDatePicker},
    {ControlKind::TimePicker, CaptionPlace::Beside, MakeTimePicker},
    {ControlKind::ReportList, CaptionPlace::Beside, MakeReportList},
    {ControlKind::Picture, CaptionPlace::None, MakePicture},
}};

constexpr bool InKindOrder() {
    for (size_t i = 0; i < kRenderings.size(); ++i) {
        if (static_cast<size_t>(kRenderings[i].kind) != i) return false;
    }
    return true;
}
static_assert(InKindOrder(), "the renderings must stand in the order of the kinds");

}  // namespace

const KindRendering* RenderingOf(ControlKind kind) {
    const auto index = static_cast<size_t>(kind);
    return index < kRenderings.size() ? &kRenderings[index] : nullptr;
}

QString PictureResourcePath(const std::string& name) {
    return QStringLiteral(":/products/%1." ZELTERM_PICTURE_SUFFIX)
        .arg(QString::fromStdString(name));
}

}  // namespace zel
