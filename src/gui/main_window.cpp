#include "gui/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/connection_radios.h"
#include "gui/device_selector.h"
#include "gui/elided_label.h"
#include "gui/error_messages_dialog.h"
#include "gui/find_bar.h"
#include "gui/log_saving.h"
#include "gui/log_view.h"
#include "gui/page_tab_rows.h"
#include "gui/program_identity.h"
#include "gui/property_sheet_widget.h"
#include "gui/qt_settings_store.h"
#include "gui/repeat_status_line.h"
#include "gui/settings_dialogs.h"
#include "gui/status_panel.h"
#include "gui/window_layout.h"
#include "pages/common/product_profile.h"
#include "products/catalog.h"
#include "terminal/send_preview.h"

namespace zel {
namespace {

constexpr int kControlsWidth = 360;
// Few enough that the window fits 1366x768 scaled to 125% (614 pixels of its own, less the
// title bar and the panel); a taller window gives the log the rest.
constexpr int kLogMinimumLines = 5;

QPushButton* MakeButton(const QString& caption, const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

// A row of buttons ending at the right edge, as dialogs place them.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> leading,
                       std::initializer_list<QWidget*> trailing = {}) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : leading) row->addWidget(widget);
    row->addStretch(1);
    for (QWidget* widget : trailing) row->addWidget(widget);
    return row;
}

}  // namespace

MainWindow::MainWindow(CZelTermDlg& terminal, QWidget* parent)
    : QMainWindow(parent), terminal_(terminal) {
    setWindowTitle(QStringLiteral("Zel Terminal"));
    setWindowIcon(ProgramIcon());
    BuildMenus();

    auto* pages = new QWidget(this);
    sheet_ = new PropertySheetWidget(terminal_.Sheet(), pages);
    sheet_->setObjectName(QStringLiteral("propertySheet"));
    tabRows_ = new PageTabRows(*sheet_, pages);
    auto* pagesColumn = new QVBoxLayout(pages);
    pagesColumn->setContentsMargins(0, 0, 0, 0);
    pagesColumn->setSpacing(0);
    pagesColumn->addWidget(tabRows_);
    pagesColumn->addWidget(sheet_, 1);
    splitter_ = SideBySide(BuildControls(), pages, this);
    setCentralWidget(splitter_);
    replyStatus_ = new QLabel(this);
    replyStatus_->setObjectName(QStringLiteral("replyStatus"));
    replyStatus_->setTextFormat(Qt::PlainText);
    // Permanent, so that a focused button's preview does not hide it; the preview takes the
    // room to its left.
    statusBar()->addPermanentWidget(replyStatus_);
    statusBar()->setSizeGripEnabled(false);
    AddPageKeys();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusMoved(now); });
    memory_ = std::make_unique<WindowMemory>(*this, *splitter_, *sheet_);
    memory_->RestoreGeometry(terminal_.Settings());

    terminal_.SetView(this);
    logView_->Follow(&terminal_.Log());
}

MainWindow::~MainWindow() {
    // The window's widgets hide as they go, which moves the focus: the window must not hear of it.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    logView_->Follow(nullptr);
    terminal_.SetView(nullptr);
}

void MainWindow::AddPageKeys() {
    const auto turn = [this](int step) {
        if (sheet_->count() == 0) return;
        sheet_->setCurrentIndex((sheet_->currentIndex() + step + sheet_->count()) %
                                sheet_->count());
    };
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [turn, step = step] { turn(step); });
    }
}

// A control reached with Tab comes into view. (A focused page button tells the status line
// itself what it would send.)
void MainWindow::FocusMoved(QWidget* now) {
    if (!now || now->window() != this) return;
    sheet_->EnsureVisible(now);
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Save Log As..."), QKeySequence::Save, this,
                    [this] { SaveLogAs(this, terminal_); });
    file->addAction(QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                    &MainWindow::Exit);

    QMenu* log = menuBar()->addMenu(QStringLiteral("&Log"));
    log->addAction(QStringLiteral("&Clear Log"), QKeySequence(Qt::CTRL | Qt::Key_L), this,
                   [this] { terminal_.OnClearLog(); });
    log->addSeparator();
    log->addAction(QStringLiteral("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F), this,
                   [this] { findBar_->Open(); });
    log->addAction(QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3), this,
                   [this] { findBar_->Find(SearchDirection::Forward); });
    log->addAction(QStringLiteral("Find &Previous"), QKeySequence(Qt::SHIFT | Qt::Key_F3), this,
                   [this] { findBar_->Find(SearchDirection::Backward); });

    QMenu* config = menuBar()->addMenu(QStringLiteral("&Config"));
    config->addAction(QStringLiteral("C&onnection..."), this,
                      [this] { OpenConnectionSetup(this, terminal_); });
    config->addAction(QStringLiteral("&Log..."), this,
                      [this] { OpenLogConfiguration(this, terminal_); });
    config->addAction(QStringLiteral("&Advanced..."), this,
                      [this] { OpenAdvancedConfiguration(this, terminal_); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Custom String Help"), QKeySequence(Qt::Key_F1), this,
                    [this] { terminal_.OnCustomStringHelp(); });
    help->addAction(QStringLiteral("&About..."), this, [this] { ShowAboutBox(this); });
    help->addAction(QStringLiteral("&Update..."), this,
                    [this] { OpenUpdateDialog(this, terminal_); });
}

QWidget* MainWindow::BuildControls() {
    auto* controls = new QWidget(this);
    controls->setMinimumWidth(kControlsWidth);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    // Beside the settings file the terminal uses.
    auto* settings = dynamic_cast<QtSettingsStore*>(&terminal_.Settings());
    const QString devicesPath =
        settings ? QtDeviceFile::BesideSettings(settings->Path()) : QtDeviceFile::OfThisUser();
    devices_ = new DeviceSelector(terminal_, devicesPath, controls);
    column->addWidget(BuildProductGroup());
    column->addWidget(BuildConnectionGroup());
    column->addWidget(BuildStatusGroup());
    column->addWidget(BuildCustomStringGroup());
    column->addWidget(BuildLogGroup(), 1);
    return controls;
}

QGroupBox* MainWindow::BuildProductGroup() {
    auto* group = new QGroupBox(QStringLiteral("Product"), this);
    // The device row shares the group: a group of its own would cost the small screens a line.
    auto* rows = new QVBoxLayout(group);
    rows->addWidget(devices_);
    auto* row = new QHBoxLayout();
    rows->addLayout(row);
    auto* label = new QLabel(QStringLiteral("Select Product"), group);
    productList_ = new QComboBox(group);
    productList_->setObjectName(QStringLiteral("productList"));
    productList_->setMaxVisibleItems(20);
    label->setBuddy(productList_);
    row->addWidget(label);
    row->addWidget(productList_, 1);
    // Alt+letter is the menus' (or nothing's); the list would take the letter as a product.
    productList_->installEventFilter(this);
    connect(productList_, &QComboBox::activated, this,
            [this](int index) { terminal_.OnProductListSelected(index); });
    return group;
}

QGroupBox* MainWindow::BuildConnectionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Connection"), this);
    auto* row = new QHBoxLayout(group);
    ConnectionRadios radios = AddConnectionRadios(group, row);
    connectionButtons_ = radios.group;
    connectionRadios_ = radios.buttons;
    row->addStretch(1);
    auto* configure =
        MakeButton(QStringLiteral("Configure"), QStringLiteral("connectionConfigureButton"), group);
    row->addWidget(configure);
    connect(connectionButtons_, &QButtonGroup::idClicked, this,
            [this](int type) { terminal_.OnConnectionChosen(type); });
    connect(configure, &QPushButton::clicked, this,
            [this] { OpenConnectionSetup(this, terminal_); });
    return group;
}

QGroupBox* MainWindow::BuildStatusGroup() {
    auto* group = new QGroupBox(QStringLiteral("Status"), this);
    auto* layout = new QVBoxLayout(group);
    status_ = new StatusPanel(group);
    layout->addWidget(status_);
    return group;
}

QGroupBox* MainWindow::BuildCustomStringGroup() {
    auto* group = new QGroupBox(QStringLiteral("Custom String"), this);
    auto* column = new QVBoxLayout(group);
    auto* row = new QHBoxLayout;
    customString_ = new QLineEdit(group);
    customString_->setObjectName(QStringLiteral("customString"));
    customString_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* send = MakeButton(QStringLiteral("Send"), QStringLiteral("sendButton"), group);
    sendButton_ = send;
    auto* help =
        MakeButton(QStringLiteral("Help"), QStringLiteral("customStringHelpButton"), group);
    row->addWidget(customString_, 1);
    row->addWidget(send);
    row->addWidget(help);
    customStringPreview_ = new ElidedLabel(group);
    customStringPreview_->setObjectName(QStringLiteral("customStringPreview"));
    customStringPreview_->setFont(customString_->font());
    customStringPreview_->setForegroundRole(QPalette::PlaceholderText);
    column->addLayout(row);
    column->addWidget(customStringPreview_);
    // The custom string is bytes; Latin-1 keeps every byte one character and back.
    connect(customString_, &QLineEdit::textEdited, this, [this](const QString& text) {
        terminal_.SetCustomString(text.toLatin1().toStdString());
        ShowCustomStringPreview();
    });
    connect(customString_, &QLineEdit::returnPressed, this, [this] { terminal_.OnSend(); });
    customString_->installEventFilter(this);
    connect(send, &QPushButton::clicked, this, [this] { terminal_.OnSend(); });
    connect(help, &QPushButton::clicked, this, [this] { terminal_.OnCustomStringHelp(); });
    return group;
}

QGroupBox* MainWindow::BuildLogGroup() {
    auto* group = new QGroupBox(QStringLiteral("Log"), this);
    auto* layout = new QVBoxLayout(group);
    repeatStatus_ = new RepeatStatusLine(group);
    connect(repeatStatus_->StopButton(), &QPushButton::clicked, this,
            [this] { terminal_.StopRepeat(); });
    logView_ = new LogView(group);
    logView_->setObjectName(QStringLiteral("logView"));
    logView_->setMinimumHeight(logView_->fontMetrics().lineSpacing() * kLogMinimumLines);
    findBar_ = new FindBar(*logView_, group);
    findBar_->setObjectName(QStringLiteral("findBar"));
    findBar_->hide();
    auto* clear = MakeButton(QStringLiteral("Clear Log"), QStringLiteral("clearLogButton"), group);
    auto* configure =
        MakeButton(QStringLiteral("Configure"), QStringLiteral("logConfigureButton"), group);
    auto* errors =
        MakeButton(QStringLiteral("Error Msgs"), QStringLiteral("errorMessagesButton"), group);
    layout->addWidget(repeatStatus_);
    layout->addWidget(logView_, 1);
    layout->addWidget(findBar_);
    layout->addLayout(ButtonRow({clear, configure}, {errors}));
    connect(clear, &QPushButton::clicked, this, [this] { terminal_.OnClearLog(); });
    connect(configure, &QPushButton::clicked, this,
            [this] { OpenLogConfiguration(this, terminal_); });
    connect(errors, &QPushButton::clicked, this, [this] { ShowErrorMessages(this); });
    return group;
}

// Up and Down in the custom string box walk the strings sent before.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (watched == productList_) {
        return keyEvent->modifiers().testFlag(Qt::AltModifier) && !keyEvent->text().isEmpty();
    }
    if (watched != customString_) return QMainWindow::eventFilter(watched, event);
    const int key = keyEvent->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    CustomStringHistory& history = terminal_.History();
    std::optional<std::string> text =
        key == Qt::Key_Up ? history.Older(customString_->text().toLatin1().toStdString())
                          : history.Newer();
    if (text) {
        terminal_.SetCustomString(*text);
        customString_->setText(QString::fromLatin1(*text));
        ShowCustomStringPreview();
    }
    return true;
}

// Worked out again at every keystroke and every refresh: the unit address may have changed.
void MainWindow::ShowCustomStringPreview() {
    const QString preview =
        QString::fromLatin1(CustomStringPreview(terminal_, terminal_.CustomString()));
    customStringPreview_->SetFullText(preview);
    sendButton_->setToolTip(preview);
}

void MainWindow::RefreshControls() {
    if (productList_->count() != static_cast<int>(terminal_.ProductNames().size())) {
        QSignalBlocker blocker(productList_);
        productList_->clear();
        for (const std::string& name : terminal_.ProductNames()) {
            productList_->addItem(QString::fromStdString(name));
            productList_->setItemData(productList_->count() - 1, ProductKindTip(name),
                                      Qt::ToolTipRole);
        }
    }
    productList_->setCurrentIndex(terminal_.ProductListIndex());
    devices_->Follow();

    const int connection = terminal_.Profile().connectionType;
    const auto& enabled = terminal_.ConnectionButtonsEnabled();
    for (size_t type = 0; type < connectionRadios_.size(); ++type) {
        connectionRadios_[type]->setEnabled(enabled[type]);
    }
    connectionRadios_[kEthernet]->setToolTip(QString::fromStdString(terminal_.EthernetProblem()));
    if (QAbstractButton* checked = connectionButtons_->button(connection)) {
        checked->setChecked(true);
    }

    status_->Show(terminal_.StatusLines());
    repeatStatus_->Show(terminal_.RepeatStatus());

    const QString customString = QString::fromLatin1(terminal_.CustomString());
    if (customString_->text() != customString) customString_->setText(customString);
    ShowCustomStringPreview();
    replyStatus_->setText(QString::fromLatin1(terminal_.ReplyStatus()));
}

// What the product is, from its full name ("Oberin Single-Channel Video Player").
QString MainWindow::ProductKindTip(const std::string& name) {
    const ProductInfo* product = FindProduct(terminal_.Catalog(), name);
    if (!product) return {};
    std::string_view fullName = ProfileOf(product->Index()).fullName;
    return QString::fromUtf8(fullName.data(), static_cast<qsizetype>(fullName.size()));
}

void MainWindow::ProductChanged(ProductInfo& product) {
    sheet_->ProductChanged(product);
    tabRows_->Rebuild();
}

void MainWindow::Exit() {
    terminal_.OnOk();
    close();
}

void MainWindow::RestoreLastTab() {
    memory_->RestoreTab(terminal_.Settings());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    memory_->Save(terminal_.Settings());
    if (!terminal_.Ended()) terminal_.OnCancel();
    event->accept();
}

}  // namespace zel
