#include "pages/common/custom_page.h"

#include <algorithm>
#include <cctype>

#include "services/custom_string.h"

namespace zel {

namespace {

// Stored names and strings must fit the reader's 160-byte buffer.
constexpr size_t kStoredTextLimit = 160;

const std::string kTooLong = "The name and the string must each be shorter than 160 characters.";

// The page's own help is the terminal's, up to the bytes of its first example.
std::string PageHelpText() {
    const std::string& full = CustomStringHelpText();
    const std::string lastLine = "0x31 0x53 0x45 0x0d";
    return full.substr(0, full.find(lastLine) + lastLine.size());
}

std::string NameValue(int k) {
    return "CustStringName" + std::to_string(k);
}

std::string StringValue(int k) {
    return "CustString" + std::to_string(k);
}

bool Fits(const std::string& text) {
    return text.size() < kStoredTextLimit;
}

// The list sorts names as an operator reads them: letter case does not matter.
bool NameBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

CCustomTabDlg::CCustomTabDlg(IPageHost& host) : CPage(host, "Custom") {
    Group("Custom Strings");
    Button("Send", [this] { OnSend(); });
    Button("Remove", [this] { OnRemove(); });
    Label("(Select From List Below)");
    Row();
    list_ = ReportList({}, {"Name of Command", "String to Send"});
    EndGroup();
    Group("New String");
    Row();
    name_ = TextEdit("Name");
    Label("(Optional)");
    Row();
    string_ = TextEdit("String");
    Row();
    const ControlId add = Button("Add", [this] { OnAdd(); });
    Button("Help", [this] { OnHelp(); });
    EndGroup();
    EnterPresses(name_, add);
    EnterPresses(string_, add);
}

void CCustomTabDlg::OnInitDialog() {
    Load();
    SetText(name_, "Version");
    SetText(string_, "\"?V\" h0D");
}

void CCustomTabDlg::OnDestroy() {
    Save();
}

void CCustomTabDlg::OnAdd() {
    std::string name = Text(name_);
    std::string string = Text(string_);
    // Longer texts would be stored but could never be read back.
    if (!Fits(name) || !Fits(string)) {
        Ask(kTooLong, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    InsertSorted({std::move(name), std::move(string)});
    Save();
}

void CCustomTabDlg::OnRemove() {
    int selected = Selected(list_);
    if (selected < 0) return;
    std::vector<Entry> rows = Rows(list_);
    rows.erase(rows.begin() + selected);
    Select(list_, -1);
    SetRows(list_, std::move(rows));
    Save();
}

void CCustomTabDlg::OnSend() {
    int selected = Selected(list_);
    if (selected < 0) return;
    std::string commandText;
    if (Host().ValidateCustomString(Rows(list_)[selected][1], commandText)) {
        Send(commandText, false);  // the string carries its own terminator
    }
}

void CCustomTabDlg::OnHelp() {
    Host().Window().MessageBox(PageHelpText(), "Custom String Help", MessageButtons::Ok,
                               MessageIcon::Information);
}

// A row goes after those with the same name; the chosen row stays chosen.
void CCustomTabDlg::InsertSorted(Entry entry) {
    std::vector<Entry> rows = Rows(list_);
    auto at = std::upper_bound(rows.begin(), rows.end(), entry, [](const Entry& a, const Entry& b) {
        return NameBefore(a[0], b[0]);
    });
    int position = static_cast<int>(at - rows.begin());
    rows.insert(at, std::move(entry));
    int selected = Selected(list_);
    SetRows(list_, std::move(rows));
    if (selected >= position) Select(list_, selected + 1);
}

// Entries are read until the first missing name. One too long to show is passed over rather
// than ending the list, so the entries after it are not lost.
void CCustomTabDlg::Load() {
    SetRows(list_, {});
    Select(list_, -1);
    storedCount_ = 0;
    auto key = Host().Settings().OpenForRead();
    if (!key) return;
    int k = 1;
    for (;; ++k) {
        std::optional<std::string> name = key->ReadValue(NameValue(k));
        if (!name) break;
        std::string string = key->ReadValue(StringValue(k)).value_or("");
        if (Fits(*name) && Fits(string)) InsertSorted({std::move(*name), std::move(string)});
    }
    // Beyond the last name read, so that stray values after it are cleared too.
    storedCount_ = k + 1;
}

void CCustomTabDlg::Save() {
    auto key = Host().Settings().OpenOrCreateForWrite();
    if (!key) return;
    const std::vector<Entry>& rows = Rows(list_);
    int count = static_cast<int>(rows.size());
    for (int j = 1; j <= count; ++j) {
        key->WriteText(NameValue(j), rows[j - 1][0]);
        key->WriteText(StringValue(j), rows[j - 1][1]);
    }
    for (int k = count + 1; k <= storedCount_; ++k) {
        key->DeleteValue(StringValue(k));
        key->DeleteValue(NameValue(k));
    }
    // Saved again after removals, the entries written now must be cleared too.
    storedCount_ = std::max(storedCount_, count);
}

}  // namespace zel
