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
    void ChooseMode(Mode mode) { mode_ = mode; }
    void UpdateAddress();
    bool ReproducerChosen() const;
    bool ShowsOutputFormats() const;
    std::string ModeLetter() const;

    ControlId target_, modeGroup_, file_, outputFormat_, colourSpace_;
    std::vector<ControlId> modeButtons_;
    std::string address_;
    Mode mode_ = Mode::Normal;
};

}  // namespace zel
