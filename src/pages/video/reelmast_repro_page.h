#pragma once
// The Reelmast "Reproducer" page: drives one reproducer, a group of them or all, in normal or
// left/right playback mode.
#include <string>
#include <vector>

#include "products/page_base.h"

namespace zel {

struct ReelmastCommand;

class CReelmastReproTabDlg : public CPage {
  public:
    explicit CReelmastReproTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    enum class Mode { Normal, Left, Right };

    void AddCommand(const ReelmastCommand& command);
    void SendCommandOf(const ReelmastCommand& command);
    // Both follow the controls, so a copy of the controls is a copy of the page.
    Mode ChosenMode() const;
    std::string Address() const;
    bool ReproducerChosen() const;
    bool ShowsOutputFormats() const;
    std::string ModeLetter() const;

    ControlId target_, modeGroup_, file_, outputFormat_, colourSpace_;
    std::vector<ControlId> modeButtons_;
};

}  // namespace zel
