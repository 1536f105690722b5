#pragma once
// The base of every product page: its controls declared as data, the data exchange that checks
// the operator's entries before a handler runs, enabling and visibility rules, and the actions an
// operator (or a renderer, a test, a script) performs on the controls by path.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "products/page_control.h"
#include "products/page_host.h"
#include "products/product_info.h"

namespace zel {

enum class ActionResult {
    Done,
    NotFound,   // no control with that path
    Disabled,   // the control cannot be used now
    Hidden,     // the control is not shown now
    WrongKind,  // the action does not apply to that kind of control
    BadValue,   // the value is not one the control can hold
};

class CPage {
  public:
    using Handler = std::function<void()>;

    CPage(IPageHost& host, std::string title);
    virtual ~CPage() = default;
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    const std::string& Title() const { return title_; }

    // The sheet's lifecycle: the product handed over, the page window created and destroyed.
    virtual void SetProduct(ProductInfo* product) { product_ = product; }
    void Create();
    void Destroy();
    bool IsCreated() const { return created_; }

    // What renderers and tools read.
    const std::vector<Control>& Controls() const;
    const Control& At(ControlId id) const { return Controls()[id]; }
    std::optional<ControlId> Find(std::string_view path) const;

    // The operator's actions. Press: a push button, a radio button (chooses it), a check box
    // (toggles it) or a slider (releases it at its position).
    ActionResult Press(ControlId id);
    ActionResult EnterText(ControlId id, std::string text);
    ActionResult ChooseEntry(ControlId id, int index);
    ActionResult Tick(ControlId id, bool checked);
    ActionResult Drag(ControlId id, int position);
    // Sets a control from text as an operator would: a list entry by its text, a check box by
    // 0 or 1, a radio button by choosing it, a slider by its position, a row by its first column.
    ActionResult SetValue(ControlId id, const std::string& value);

    // Called after every change a view must show.
    void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

    // Why a disabled control cannot be used, when its rule says; empty otherwise.
    std::string DisabledReason(ControlId id) const;
    // Takes over every control's values and enabling from a page of the same class, so that an
    // action tried on this page does what it would do on that one.
    void CopyStateFrom(const CPage& other);

    IPageHost& Host() const { return host_; }
    ProductInfo* Product() const { return product_; }

  protected:
    // Declaring the controls, in the order an operator reads them.
    ControlId Group(std::string caption, int column = 0);
    void EndGroup();
    // Starts a new row; a row label also names the row's controls ("Relay Control/Play/On").
    void Row(std::string rowLabel = {});
    ControlId Label(std::string text, bool multiLine = false);
    // A label whose text the page changes (a value shown beside a slider): named by `name`
    // ("Group/name/label") instead of by its text, and naming no other control.
    ControlId ValueLabel(std::string name, std::string text);
    ControlId TextEdit(std::string caption, std::string initial = {}, size_t maxLength = 0);
    ControlId IntegerEdit(std::string caption, int64_t initial,
                          std::optional<std::pair<int64_t, int64_t>> range = std::nullopt);
    ControlId DropDownList(std::string caption, std::vector<std::string> choices, int selected = 0,
                           bool sorted = false);
    ControlId EditableDropDown(std::string caption, std::vector<std::string> choices,
                               int selected = 0);
    ControlId CheckBox(std::string caption, bool checked, Handler onClick = {});
    ControlId RadioButton(std::string caption, std::string choiceName, bool checked,
                          Handler onClick = {});
    ControlId Button(std::string caption, Handler onPress);
    // onMove, when given, runs while the thumb is dragged (no data exchange); onRelease runs
    // when it is let go.
    ControlId Slider(std::string caption, int minimum, int maximum, int position, bool vertical,
                     Handler onRelease, Handler onMove = {});
    ControlId IpAddress(std::string caption, std::string dotted);
    ControlId DatePicker(std::string caption, std::string date);
    ControlId TimePicker(std::string caption, std::string time);
    ControlId ReportList(std::string caption, std::vector<std::string> columns);
    ControlId Picture(std::string resource);

    // Rules the page re-evaluates after every action and when its window is created. A reason
    // tells the operator what a disabled control waits for; one that depends on the page's state
    // is asked for while the control is disabled.
    void EnableWhen(ControlId id, std::function<bool()> rule, std::string reason = {});
    void EnableWhen(ControlId id, std::function<bool()> rule, std::function<std::string()> reason);
    void ShowWhen(ControlId id, std::function<bool()> rule);
    // Enter in the edit `field` presses `button`, as a dialog's default button.
    void EnterPresses(ControlId field, ControlId button) { controls_[field].enterPresses = button; }
    // A handler for a choice made in a list.
    void OnChosen(ControlId id, Handler handler);

    // Reading and writing values in handlers.
    std::string Text(ControlId id) const;  // a list's chosen entry; an edit's text
    int64_t Integer(ControlId id) const;   // an integer edit, after the data exchange
    int Selected(ControlId id) const { return controls_[id].selected; }
    bool Checked(ControlId id) const { return controls_[id].checked; }
    int Position(ControlId id) const { return controls_[id].position; }
    void SetText(ControlId id, std::string text);
    void Select(ControlId id, int index);
    bool SelectText(ControlId id, const std::string& text);
    void SetChoices(ControlId id, std::vector<std::string> choices, int selected = 0);
    void Check(ControlId id, bool checked);
    void SetPosition(ControlId id, int position);
    void SetRows(ControlId id, std::vector<std::vector<std::string>> rows);
    const std::vector<std::vector<std::string>>& Rows(ControlId id) const {
        return controls_[id].rows;
    }

    // Takes the operator's entries in, in declaration order; the first that fails its check is
    // reported in a message box and stops the exchange (and with it the handler).
    bool ExchangeData();

    void Send(std::string_view text, bool appendCR) { host_.SendCommand(text, appendCR); }
    MessageAnswer Ask(const std::string& text, MessageButtons buttons, MessageIcon icon);
    const ProtocolInfo* CurrentProtocol() const;

    // Runs each time the page window is created, before the rules.
    virtual void OnInitDialog() {}
    // Runs each time the page window is destroyed.
    virtual void OnDestroy() {}

  private:
    struct Behaviour {
        Handler action;
        bool exchangeFirst = false;
        Handler onMove;
        std::function<bool()> enabledWhen;
        std::function<bool()> shownWhen;
        std::function<std::string()> disabledReason;
    };

    ControlId Add(ControlKind kind, std::string caption);
    ActionResult Usable(ControlId id) const;
    void Act(ControlId id);
    void ApplyRules();
    void Changed();
    void AssignPaths() const;

    IPageHost& host_;
    std::string title_;
    ProductInfo* product_ = nullptr;
    bool created_ = false;
    mutable std::vector<Control> controls_;
    std::vector<Behaviour> behaviours_;
    std::vector<std::string> rowLabels_;  // per control: the label of its row, if any
    ControlId currentGroup_ = -1;
    int currentRow_ = 0;
    std::string currentRowLabel_;
    int groupCount_ = 0;
    mutable bool pathsAssigned_ = false;
    std::function<void()> changed_;
};

}  // namespace zel
