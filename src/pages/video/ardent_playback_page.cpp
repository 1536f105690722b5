#include "pages/video/ardent_playback_page.h"

#include "pages/video/ardent_channels.h"

namespace zel {

CArdentPlaybackPage::CArdentPlaybackPage(IPageHost& host, std::string title,
                                         ArdentPlaybackCodes codes)
    : CVideoPage(host, std::move(title)), codes_(std::move(codes)) {}

CVideoPage::Part CArdentPlaybackPage::ChannelCode() {
    return [this] {
        bool toAll = broadcast_ >= 0 && Checked(broadcast_);
        return toAll ? std::string(ardent::kAllChannels) : codes_.channel;
    };
}

CVideoPage::Part CArdentPlaybackPage::AppendedFile() {
    return [this, file = FileArgumentOf(file_)] { return Checked(append_) ? file() : ""; };
}

void CArdentPlaybackPage::DeclareControlGroup(int column) {
    Group(codes_.controlGroup, column);
    CommandButton("Play", AppendedFile(), ChannelCode(), "PL");
    CommandButton("Loop", AppendedFile(), ChannelCode(), "LP");
    LetterButtons(codes_.transport, ChannelCode());
    Row();
    CommandButton("Search", FileArgumentOf(file_), ChannelCode(), "SE");
    file_ = TextEdit("Filename or #", "1");
    Row();
    append_ = CheckBox("Append file number to Play and Loop Commands", true);
    if (codes_.broadcast) {
        Row();
        broadcast_ = CheckBox("Broadcast these commands to ALL channels", false);
    }
    EndGroup();
}

void CArdentPlaybackPage::DeclareAudioGroup(int column) {
    Group("Audio", column);
    LeadButtons(kOffOn, ChannelCode(), "AD");
    EndGroup();
}

void CArdentPlaybackPage::DeclareQueriesGroup(int column) {
    Group("Queries", column);
    LetterButtons(codes_.queries, Fixed(codes_.channel));
    EndGroup();
}

}  // namespace zel
