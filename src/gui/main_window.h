#pragma once
// The terminal's main window: the view of CZelTermDlg. It shows the logic's state when told to
// and hands every action of the operator to the logic; it decides nothing itself.
#include <QMainWindow>
#include <array>
#include <memory>

#include "terminal/zelterm_dlg.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSplitter;

namespace zel {

class DeviceSelector;
class ElidedLabel;
class FindBar;
class LogView;
class PageTabRows;
class PropertySheetWidget;
class RepeatStatusLine;
class StatusPanel;
class WindowMemory;

class MainWindow : public QMainWindow, public CZelTermDlg::View {
    Q_OBJECT

  public:
    // Becomes the terminal's view and follows its log; run the terminal's start-up after this.
    explicit MainWindow(CZelTermDlg& terminal, QWidget* parent = nullptr);
    ~MainWindow() override;

    void RefreshControls() override;
    void ProductChanged(ProductInfo& product) override;

    LogView& Log() { return *logView_; }
    DeviceSelector& Devices() { return *devices_; }
    // After the start-up sequence has shown the stored product: the tab shown at the last close.
    void RestoreLastTab();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    QWidget* BuildControls();
    QGroupBox* BuildProductGroup();
    QGroupBox* BuildConnectionGroup();
    QGroupBox* BuildStatusGroup();
    QGroupBox* BuildCustomStringGroup();
    QGroupBox* BuildLogGroup();
    QString ProductKindTip(const std::string& name);
    // Ctrl+Tab, Ctrl+PgDn and their reverses turn the pages from anywhere in the window.
    void AddPageKeys();
    void ShowCustomStringPreview();
    void FocusMoved(QWidget* now);
    void Exit();

    CZelTermDlg& terminal_;
    DeviceSelector* devices_ = nullptr;
    QComboBox* productList_ = nullptr;
    QButtonGroup* connectionButtons_ = nullptr;
    std::array<QRadioButton*, 3> connectionRadios_{};
    StatusPanel* status_ = nullptr;
    QLineEdit* customString_ = nullptr;
    ElidedLabel* customStringPreview_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QLabel* replyStatus_ = nullptr;
    RepeatStatusLine* repeatStatus_ = nullptr;
    LogView* logView_ = nullptr;
    FindBar* findBar_ = nullptr;
    PropertySheetWidget* sheet_ = nullptr;
    PageTabRows* tabRows_ = nullptr;
    QSplitter* splitter_ = nullptr;
    std::unique_ptr<WindowMemory> memory_;
};

}  // namespace zel
