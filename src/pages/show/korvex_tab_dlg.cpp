#include "pages/show/korvex_tab_dlg.h"

namespace zel {

namespace {

struct Field {
    const char* caption;
    const char* initial;
};

struct Command {
    const char* caption;
    const char* code;
};

// Every button of a group sends the group's fields, joined by "|", followed by its code.
struct CommandGroup {
    const char* caption;
    int column;
    std::vector<Field> fields;
    std::vector<Command> commands;
};

const std::vector<CommandGroup> kGroups = {
    {"Sequences",
     0,
     {{"Sequence Name or Number", "default"}},
     {{"Start", "PL"}, {"Pause", "PA"}, {"Stop Loop", "SL"}, {"Reset", "RJ"}, {"Status", "SQ"}}},
    {"Variables",
     0,
     {{"Variable Name or Number", "myVar"}, {"Variable Name or Static Value", "1"}},
     {{"Set To", "VA"}}},
    // The output's state digit follows its name directly, so it belongs to the code.
    {"Outputs",
     1,
     {{"Output Name or Number", "output1"}},
     {{"On", "1OU"}, {"Off", "0OU"}, {"Toggle", "2OU"}}},
    {"Message Out",
     1,
     {{"Device Name or Number", "myDevice"}, {"Message", "\"my message\"h0D"}},
     {{"Send", "SS"}}},
};

}  // namespace

CKorvexTabDlg::CKorvexTabDlg(IPageHost& host) : CPage(host, "Control") {
    for (const CommandGroup& group : kGroups) {
        Group(group.caption, group.column);
        std::vector<ControlId> fields;
        for (const Field& field : group.fields) {
            Row();
            fields.push_back(TextEdit(field.caption, field.initial));
        }
        Row();
        for (const Command& command : group.commands) {
            Button(command.caption, [this, fields, code = std::string(command.code)] {
                Send(Joined(fields) + code, true);
            });
        }
        EndGroup();
    }
}

std::string CKorvexTabDlg::Joined(const std::vector<ControlId>& fields) const {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) text += (i == 0 ? "" : "|") + Text(fields[i]);
    return text;
}

}  // namespace zel
