#pragma once
// What the three Quelm pages share: a channel addressed by the "Channel #" box ("All" for every
// channel) and numbered groups of channels, as many as the product has.
#include <string>
#include <vector>

#include "pages/video/video_page.h"

namespace zel {

class CQuelmPage : public CVideoPage {
  protected:
    using CVideoPage::CVideoPage;

    // Declares the "Channel #" box in the current row.
    void ChannelBox();
    // Declares the "Group #" box in the current row; it is filled when the window is created.
    void GroupBox();
    // "*" for "All", otherwise the channel number.
    Part ChannelCode();
    Part GroupCode();
    // "1" up to the product's group count.
    std::vector<std::string> GroupNumbers() const;

    void OnInitDialog() override;

  private:
    ControlId channel_ = -1, group_ = -1;
};

}  // namespace zel
