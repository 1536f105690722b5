#pragma once
// One control of a product page, as data: what it is, what it shows and holds, where it sits,
// and whether the operator can use it now. The page owns the values; a renderer only shows them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zel {

enum class ControlKind {
    Group,             // a titled box holding the controls declared inside it
    Label,             // static text
    TextEdit,          // optional maximum length
    IntegerEdit,       // an integer with an optional range
    DropDownList,      // choose one entry
    EditableDropDown,  // choose one entry or type
    CheckBox,
    RadioButton,  // one of the radio buttons sharing its choice name
    PushButton,
    Slider,      // a range, an orientation, an action on release
    IpAddress,   // dotted IPv4 text
    DatePicker,  // "MM/DD/YYYY"
    TimePicker,  // "h:mm:ss AM"
    ReportList,  // rows of columns, one selectable row
    Picture,     // an image resource named by its text
};

// The name used in listings and on the command line.
const char* ControlKindName(ControlKind kind);

using ControlId = int;

struct Control {
    ControlKind kind = ControlKind::Label;
    std::string caption;   // what the operator reads on or beside it
    std::string path;      // unique on the page, made of captions: "Outputs/On"
    ControlId group = -1;  // the enclosing group, -1 for the page itself
    int row = 0;           // controls of one row stand left to right
    int column = 0;        // groups: the page column they stand in

    // What it holds.
    std::string text;  // edits, pickers, IP address, label text, picture resource
    std::vector<std::string> choices;
    int selected = -1;  // lists and report lists; -1 when nothing is chosen
    bool checked = false;
    int position = 0;
    std::vector<std::string> columns;            // report list headers
    std::vector<std::vector<std::string>> rows;  // report list contents

    // Its limits.
    size_t maxLength = 0;  // 0 for none
    std::optional<std::pair<int64_t, int64_t>> range;
    bool sortedChoices = false;
    int minimum = 0, maximum = 100;  // sliders
    bool vertical = false;
    bool multiLine = false;       // labels and read-only texts spanning lines
    std::string choiceName;       // radio buttons of one choice share it
    ControlId enterPresses = -1;  // edits: the button Enter presses in it, -1 for none

    bool enabled = true;
    bool visible = true;
};

}  // namespace zel
