#pragma once
// The "Custom" tab: the operator's named custom strings, kept in the settings store as soon as
// they change (a crash then loses none), and sent with the terminal's custom string conversion.
#include <string>
#include <vector>

#include "products/page_base.h"

namespace zel {

class CCustomTabDlg : public CPage {
  public:
    explicit CCustomTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;
    void OnDestroy() override;

  private:
    using Entry = std::vector<std::string>;  // name, string

    void OnAdd();
    void OnRemove();
    void OnSend();
    void OnHelp();
    void InsertSorted(Entry entry);
    void Load();
    void Save();

    ControlId list_, name_, string_;
    // Stored entries are deleted up to this index when the list is saved shorter.
    int storedCount_ = 0;
};

}  // namespace zel
