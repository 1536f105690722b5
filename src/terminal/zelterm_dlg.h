#pragma once
// The main terminal window's logic: the connection profile, the product choice, sending,
// receiving, logging, the repeat timer, the settings and the command line. The Qt window
// renders its state and forwards the operator's actions; it decides nothing itself.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/zelnet.h"
#include "pages/property_sheet.h"
#include "products/catalog.h"
#include "products/page_host.h"
#include "services/comm_log.h"
#include "services/custom_string_history.h"
#include "services/log_recorder.h"
#include "services/pc_clock_info.h"
#include "services/repeated_message.h"
#include "services/settings_store.h"
#include "services/window_system.h"
#include "terminal/connection_profile.h"
#include "terminal/update_launcher.h"
#include "transport/serial_port.h"
#include "transport/system_clock.h"
#include "transport/udp_socket.h"
#include "transport/usb_link.h"

namespace zel {

// Splits a command-line text at runs of spaces into the tokens the terminal takes.
std::vector<std::string> SplitCommandLine(const std::string& text);

// Said once, when the terminal closes and its settings file cannot be written.
inline constexpr const char* kSettingsNotSaved =
    "The settings could not be saved. The previous settings file is kept unchanged.";

// Logged after a failed USB open when devices this user may not open were present.
inline constexpr const char* kUsbAccessDenied =
    "USB permission missing: a connected USB device may not be opened by this user. Install the "
    "udev rule the README's \"USB access on Linux\" describes, then re-connect the device.\r\n";

// Logged after the count of datagrams dropped while the window was behind.
inline constexpr std::string_view kDatagramsDropped =
    " datagrams dropped: they came faster than the log could take them";

// How a command-line run went, its exit status: the highest that applies.
enum class CommandLineOutcome {
    Done = 0,           // every switch taken, every send gone out
    NotDone = 1,        // a connection could not be used, or a send failed
    NotUnderstood = 2,  // a switch, or its argument, was not understood
};

struct TerminalServices {
    IWindowSystem& window;
    ISettingsStore& settings;
    ISerialPort& serial;
    IUdpSocket& udp;
    IUsbLink& usb;
    ISystemClock& clock;
    IUpdateLauncher& updates;
};

struct RepeatSettings {
    RepeatSettings() = default;
    RepeatSettings(bool repeat, uint32_t periodMs, std::optional<uint32_t> stopAfter = {})
        : repeat(repeat), periodMs(periodMs), stopAfter(stopAfter) {}

    bool repeat = false;
    uint32_t periodMs = 1000;
    // The repeat stops by itself after this many resends; none, it goes on until turned off.
    std::optional<uint32_t> stopAfter;
};

class CZelTermDlg : public IPageHost {
  public:
    // What the window shows of this state; told when to copy the fields to its controls.
    class View {
      public:
        virtual ~View() = default;
        virtual void RefreshControls() = 0;
        // The property sheet rebuilds its pages for the product.
        virtual void ProductChanged(ProductInfo& product) = 0;
    };

    static constexpr int kRepeatTimerId = 1;
    static constexpr int kNoReplyTimerId = 2;
    static constexpr uint32_t kDefaultNoReplyMs = 1000;
    static constexpr unsigned kMinRepeatPeriodMs = 10;
    static constexpr size_t kSerialReadChunk = 512;
    static constexpr size_t kUsbReplyBytes = 1024;
    static constexpr int kUsbReadAttempts = 20;

    explicit CZelTermDlg(const TerminalServices& services);
    ~CZelTermDlg() override;
    CZelTermDlg(const CZelTermDlg&) = delete;
    CZelTermDlg& operator=(const CZelTermDlg&) = delete;

    // Told of the traffic as it happens; lets a script front end report what the pages send and
    // wait for the replies.
    class TrafficObserver {
      public:
        virtual ~TrafficObserver() = default;
        // Every command handed to SendCommand, as passed, before it is framed and sent.
        virtual void OnSending(std::string_view text, bool appendCR) = 0;
        // Whether that command went out; an empty one never does.
        virtual void OnSendEnded(bool wentOut) = 0;
        // Bytes from the device, as they came, before the log renders them.
        virtual void OnReceived(std::string_view bytes) = 0;
        // The last command went unanswered for the no-reply time; `status` says so.
        virtual void OnNoReply(const std::string& /*status*/) {}
    };

    void SetView(View* view) { view_ = view; }
    void SetTrafficObserver(TrafficObserver* observer) { traffic_ = observer; }
    // The record of the log in a file; given the file settings at start and on every change.
    void SetLogRecorder(ILogRecorder* recorder) { recorder_ = recorder; }

    // The start-up sequence, from probing the ports to the update check at launch.
    void OnInitDialog(const std::vector<std::string>& commandLine);

    // Start-up pieces, public for the window and for tests.
    void ProbePorts();
    bool LoadSettings();
    bool SaveSettings();
    void RestoreProduct();
    void ProcessCommandLine(const std::vector<std::string>& tokens);
    void CheckForUpdateOnLaunch();

    // Connection and product.
    void SelectConnection(int requested);
    // The operator's own choice of connection (the radio buttons): it is kept in the settings.
    void OnConnectionChosen(int type);
    void SelectProduct(const std::string& name);
    void OnProductListSelected(int listIndex);
    void UpdateStatus();
    void EnableConnectionButtons();

    // Sending and receiving.
    void SendCommand(std::string_view text, bool appendCR) override;
    std::string FramedCommand(std::string_view text, bool appendCR) const override;
    bool ValidateCustomString(const std::string& customString, std::string& commandText) override;
    void OnSend();
    void OnCustomStringHelp();
    void OnSerialEvent(uint32_t eventAndErrors);
    void OnUdpReceive(const ReceivedDatagram& datagram);
    void OnRepeatTimer();
    // Turns the repeat off, as unticking "Send Command Repeatedly" would.
    void StopRepeat();
    void OnClearLog() { log_.Clear(); }

    // Settings handed back by the dialogs on OK.
    void ApplyConnectionSetup(const ConnectionProfile& edited);
    // The same without saving, for a front end whose choices last one run.
    void UseConnectionProfile(const ConnectionProfile& edited);
    void ApplyLogSettings(const LogSettings& settings);
    void ApplyRepeatSettings(const RepeatSettings& settings);
    void ApplyCheckUpdateOnLaunch(uint32_t value);
    // How long a sent command may go unanswered before the status says so; 0 never says it.
    void ApplyNoReplyMs(uint32_t ms);
    // Before Connection Setup: frees the port so the dialog can probe it too.
    void PrepareConnectionSetup();
    // Whether this run could take `port` as its local UDP port; asked while Ethernet is held.
    bool LocalPortFree(uint32_t port);

    // The OK and Cancel paths: both save the settings and end the window.
    void OnOk() { Close(); }
    void OnCancel() { Close(); }
    bool Ended() const { return ended_; }
    CommandLineOutcome CommandLineResult() const { return commandLineResult_; }

    // State the window shows.
    const ConnectionProfile& Profile() const { return profile_; }
    CommLog& Log() { return log_; }
    const std::vector<std::string>& ProductNames() const { return productNames_; }
    int ProductListIndex() const { return productListIndex_; }
    ProductInfo* CurrentProduct() { return product_; }
    std::vector<ProductInfo>& Catalog() { return catalog_; }
    const std::array<std::string, 4>& StatusLines() const { return statusLines_; }
    const std::array<bool, 3>& ConnectionButtonsEnabled() const { return connectionEnabled_; }
    // The connection the settings asked for, whichever one this run could take.
    int StoredConnection() const { return storedConnection_; }
    // Why Ethernet cannot be used in this run; empty when it can.
    const std::string& EthernetProblem() const { return ethernetProblem_; }
    const std::string& CustomString() const { return customString_; }
    void SetCustomString(std::string text) { customString_ = std::move(text); }
    CustomStringHistory& History() { return history_; }
    const std::string& LastCommand() const { return lastCommand_; }
    const RepeatSettings& Repeat() const { return repeat_; }
    // "Repeating PL<0D> every 500 ms" while the timer resends a command; empty otherwise.
    std::string RepeatStatus() const;
    uint32_t NoReplyMs() const { return noReplyMs_; }
    // "No reply to ?V<0D> after 1 s" from then until the next reply or send; empty otherwise.
    const std::string& ReplyStatus() const { return replyStatus_; }
    uint32_t CheckUpdateOnLaunchValue() const { return checkUpdateOnLaunch_; }
    PcClockInfo& PcClock() override { return pcClock_; }
    IWindowSystem& Window() override { return services_.window; }
    ISettingsStore& Settings() override { return services_.settings; }
    CProductPropertySheet& Sheet() { return sheet_; }
    IUpdateLauncher& Updates() { return services_.updates; }
    // Connection Setup probes the ports through it.
    ISerialPort& Serial() { return services_.serial; }

  private:
    // The protocol name, baud rate and product port of the current product's selections.
    void TakeProductDefaults();
    bool Send(std::string_view text, bool appendCR);
    // Each returns whether the command went out.
    bool SendFramed(std::string_view text, bool appendCR);
    bool SendOnSerial(const std::string& framed);
    bool SendOnEthernet(const std::string& framed);
    bool SendOnUsb(const std::string& framed);
    // A lost port under a running repeat: its first failure, then one count of the rest.
    void LogSerialFailure(const std::string& message);
    void EndSerialFailureRun();
    void LogStampedLine(const std::string& text);
    void OpenSerialForWindow();
    bool OpenUdpForWindow();
    void CloseSerialIfOpen();
    void AppendTimeStamp();
    void LogReceivedLines(std::string_view bytes);
    // Whether the record asked for, if any, is being written.
    bool ApplyLogFile();
    void AppendSentLine(const std::string& header, const std::string& framed);
    void ApplyRepeatTimer();
    uint32_t RepeatPeriodMs() const;
    void TakeLastCommand(std::string_view text, bool appendCR);
    // Starts waiting for a reply to what is about to go out; any reply ends the wait.
    void AwaitReply(std::string_view text, bool appendCR);
    void OnNoReply(std::string status);
    void ReplyArrived();
    void SetReplyStatus(std::string status);
    void Refresh();
    // Saves now; the operator hears of the first failure of the run only.
    void SaveAndTellOnce();
    void Close();

    TerminalServices services_;
    View* view_ = nullptr;
    TrafficObserver* traffic_ = nullptr;
    ILogRecorder* recorder_ = nullptr;
    ConnectionProfile profile_;
    CommLog log_;
    PcClockInfo pcClock_;
    CProductPropertySheet sheet_{*this};
    std::vector<ProductInfo> catalog_;
    ProductInfo* product_ = nullptr;
    std::vector<std::string> productNames_;  // sorted, as the list shows them
    int productListIndex_ = 0;
    std::array<std::string, 4> statusLines_;
    std::array<bool, 3> connectionEnabled_{};
    std::string customString_;
    CustomStringHistory history_;
    std::string lastCommand_;
    bool lastAppendCR_ = true;  // the repeat resends the last command as it went on the wire
    long serialOpenError_ = 0;  // of the last attempt to open the port
    RepeatedMessage serialFailure_;
    bool lineStart_ = true;
    RepeatSettings repeat_;
    uint32_t repeatsSent_ = 0;  // by the timer since the repeat settings were applied
    uint32_t checkUpdateOnLaunch_ = 1;
    uint32_t noReplyMs_ = kDefaultNoReplyMs;
    std::string replyStatus_;
    bool ended_ = false;
    bool toldNotSaved_ = false;
    CommandLineOutcome commandLineResult_ = CommandLineOutcome::Done;
    std::string ethernetProblem_;
    int storedConnection_ = kSerial;
    // The stored connection is Ethernet, which this run cannot use: the connection in force is
    // a stand-in, not the operator's choice, and is not saved over it.
    bool keepStoredEthernet_ = false;
};

}  // namespace zel
