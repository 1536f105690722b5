#pragma once
// The pages of the single-channel video players. One implementation serves them all; each player
// is described by a table of its groups and rows, and a button with the same caption sends the
// same text on every player unless its table says otherwise.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "products/page_base.h"

namespace zel {

// A push button sending a fixed text; with a confirmation it sends only when that is answered OK.
struct FixedCommand {
    std::string_view caption;
    std::string_view text;
    std::string_view confirmation = {};
};

// A drop-down list whose chosen entry stands for a code: "Set" sends the code followed by the
// command letters (nothing for an empty code), "Get" the letters alone.
struct CodedList {
    std::vector<std::pair<std::string, std::string>> entries;  // entry, code
    std::string_view letters;
    bool hasGet = true;
};

// A track bar of 0-100 with its value shown below it, sent on release as the value followed by
// the suffix. A vertical bar has its minimum at the top, so its value is 100 minus the position.
struct LevelSlider {
    std::string_view caption;
    std::string_view suffix;
    bool vertical;
    int initialPosition;
};

struct PanelRow {
    enum class Kind {
        Buttons,        // fixed commands
        FileNameBox,    // "File Name or Number", a name or up to five digits
        FileNumberBox,  // a plain number 0-99999
        FileCommands,   // the file argument, then each button's letters
        List,
        Sliders,
    };
    Kind kind;
    std::string_view label;
    std::vector<FixedCommand> buttons;
    CodedList list;
    std::vector<LevelSlider> sliders;
};

PanelRow Buttons(std::string_view rowLabel, std::vector<FixedCommand> buttons);
PanelRow FileNameBox();
PanelRow FileNumberBox();
PanelRow FileCommands(std::vector<FixedCommand> letters);
PanelRow List(std::string_view rowLabel, CodedList list);
PanelRow Sliders(std::vector<LevelSlider> sliders);

struct PanelGroup {
    std::string_view caption;
    int column;
    std::vector<PanelRow> rows;
};

using PlayerPanel = std::vector<PanelGroup>;

class CSingleChannelPage : public CPage {
  public:
    CSingleChannelPage(IPageHost& host, const PlayerPanel& panel);

  protected:
    void OnInitDialog() override;

  private:
    struct ShownLevel {
        ControlId slider;
        ControlId label;
        bool vertical;
    };

    void AddRow(const PanelRow& row);
    void AddFixed(const FixedCommand& command);
    void AddList(const CodedList& list);
    void AddSliders(const std::vector<LevelSlider>& sliders);
    void SendFileCommand(std::string_view letters);
    int LevelOf(const ShownLevel& level) const;
    void ShowLevel(const ShownLevel& level);

    ControlId fileBox_ = -1;
    bool fileByNumber_ = false;
    std::vector<ControlId> lists_;
    std::vector<ShownLevel> levels_;
};

}  // namespace zel
