#include "pages/video/ardent_sch_brow_dlg.h"

#include "pages/video/ardent_channels.h"

namespace zel {

namespace {

struct SearchedChannel {
    const char* group;
    const char* channel;
};

const std::array<SearchedChannel, 2> kSearchedChannels = {{
    {"Scheduler Control", ardent::kSchedulerChannel},
    {"Browser Control", ardent::kBrowserChannel},
}};

}  // namespace

CArdentSchBrowDlg::CArdentSchBrowDlg(IPageHost& host) : CVideoPage(host, "Scheduler/Browser") {
    for (size_t i = 0; i < kSearchedChannels.size(); ++i) {
        const Part channel = Fixed(kSearchedChannels[i].channel);
        Group(kSearchedChannels[i].group, static_cast<int>(i));
        // A URL is no number, so it goes out in quotes.
        CommandButton("Search", FileArgumentOf(boxes_[i]), channel, "SE");
        boxes_[i] = TextEdit("Filename, # or URL", "1");
        Row("Queries");
        CommandButton("Current File?", Fixed({}), channel, "?C");
        EndGroup();
    }
}

}  // namespace zel
