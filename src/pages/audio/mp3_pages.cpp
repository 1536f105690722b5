// What each multi-channel MP3 player's page offers.
#include "pages/audio/mp3_pages.h"

namespace zel {

namespace {

using mp3::kEveryDestination;

// The button lock's codes run the other way round: "B0" turns it on.
constexpr Mp3PanelLock kButtonLock{"Button Lock:", "B0KL", "B1KL"};
constexpr Mp3PanelLock kMenuLock{"Menu Lock:", "L1KL", "L0KL"};

// The Brisca-E has no single channels: its outputs go in pairs.
constexpr mp3::DestinationCounts kBriscaEDestinations{0, 8, 13};
constexpr mp3::DestinationCounts kBriscaEVolumePairs{0, 8, 0};

}  // namespace

CRovantTabDlg::CRovantTabDlg(IPageHost& host)
    : CMp3PlayerPage(host, {kEveryDestination, "Channel:", kEveryDestination, true, {}}) {}

CPavaneTabDlg::CPavaneTabDlg(IPageHost& host)
    : CMp3PlayerPage(host, {kEveryDestination, "Channel:", kEveryDestination, false, {kMenuLock}}) {
}

CMeliskTabDlg::CMeliskTabDlg(IPageHost& host)
    : CMp3PlayerPage(
          host,
          {kEveryDestination, "Channel:", kEveryDestination, false, {kButtonLock, kMenuLock}}) {}

CBriscaETabDlg::CBriscaETabDlg(IPageHost& host)
    : CMp3PlayerPage(host, {kBriscaEDestinations,
                            "Ch Pair:",
                            kBriscaEVolumePairs,
                            false,
                            {kButtonLock, kMenuLock}}) {}

}  // namespace zel
