#include "pages/video/ardent_audio_tab.h"

#include "pages/video/ardent_channels.h"

namespace zel {

namespace {

const ArdentPlaybackCodes kAudioCodes = {
    ardent::kAudioChannel,
    "Control",
    {{"Stop", "RJ"}, {"Pause", "PA"}},
    false,
    {{"File", "?C"}, {"Status", "?P"}},
};

}  // namespace

CArdentAudioTab::CArdentAudioTab(IPageHost& host)
    : CArdentPlaybackPage(host, "Audio", kAudioCodes) {
    DeclareControlGroup(0);
    DeclareAudioGroup(1);
    DeclareQueriesGroup(1);
}

}  // namespace zel
