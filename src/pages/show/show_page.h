#pragma once
// The "Control" tab of the 8-bit show controllers: outputs and flags on and off, sequences
// started, variables set, each as a binary message in an 8-bit packet.
#include <initializer_list>
#include <optional>
#include <string>

#include "pages/show/show_message.h"
#include "products/page_base.h"

namespace zel {

class CShowTabDlg : public CPage {
  public:
    explicit CShowTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    // Positions of the product's show ranges.
    enum Range { kOutputs, kFlags, kSequences, kVariables, kLargestValue };

    int Count(Range range) const;
    void EnableByCount(std::initializer_list<ControlId> controls, Range range);
    // The number of the list's selected item; typed text that is not an item is refused.
    std::optional<int> ChosenNumber(ControlId list, const char* what);
    void SendAction(ShowAction action, ControlId list, const char* what);
    void OnSetVariable();
    void SendPacket(const std::string& message);

    ControlId outputs_, flags_, sequences_, variables_, values_, responses_;
};

}  // namespace zel
