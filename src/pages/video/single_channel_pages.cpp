// What each single-channel player has: its groups, rows, lists and codes.
#include "pages/video/single_channel_pages.h"

namespace zel {

namespace {

constexpr char kConfirmation[] = "Are you sure?";

// Entries sent as they read, in double quotes.
std::vector<std::pair<std::string, std::string>> QuotedEntries(
    const std::vector<std::string>& entries) {
    std::vector<std::pair<std::string, std::string>> coded;
    for (const std::string& entry : entries) coded.emplace_back(entry, "\"" + entry + "\"");
    return coded;
}

PanelGroup PlaybackControl(std::string_view listFiles) {
    return {
        "Playback Control",
        0,
        {
            FileNameBox(),
            FileCommands({{"Search", "SE"},
                          {"Play File", "PL"},
                          {"Loop File", "LP"},
                          {"Play Next", "PN"},
                          {"Loop Next", "LN"}}),
            Buttons(
                {},
                {{"Stop", "RJ"}, {"Play", "PL"}, {"Loop", "LP"}, {"Still", "ST"}, {"Pause", "PA"}}),
            Buttons({}, {{"Get Status", "?P"}, {"Get File Name", "?C"}, {"List Files", listFiles}}),
        }};
}

const PanelRow kAudioMute = Buttons("Audio", {{"Off", "0AD"}, {"On", "1AD"}});
const PanelRow kVideoMute = Buttons("Video", {{"Off", "0VD"}, {"On", "1VD"}});

const PanelGroup kRelayControl{
    "Relay Control",
    1,
    {
        Buttons("Play", {{"Auto", "XPRL"}, {"Off", "0PRL"}, {"On", "1PRL"}}),
        Buttons("Fault", {{"Auto", "XFRL"}, {"Off", "0FRL"}, {"On", "1FRL"}}),
    }};

const PanelGroup kMedia{"Media", 1, {Buttons({}, {{"Format", "FO", kConfirmation}})}};

const CodedList kColourSpaces{{{"YPbPr", "1"}, {"RGsB", "0"}}, "VC"};

PanelGroup VideoConfiguration(CodedList outputFormats) {
    return {"Video Configuration",
            1,
            {List("Output Format", std::move(outputFormats)), List("Colorspace", kColourSpaces)}};
}

const PlayerPanel& UlmarPanel() {
    static const PlayerPanel panel{
        PlaybackControl("?D"),
        kRelayControl,
        {"Mute Control", 1, {kAudioMute, kVideoMute}},
        VideoConfiguration({{{"1080p", "1080p"},
                             {"1080i", "1080i"},
                             {"720p", "720p"},
                             {"480p", "480p"},
                             {"480i", "480i"},
                             {"1080p(50)", "1080p50"},
                             {"1080i(50)", "1080i50"},
                             {"720p(50)", "720p50"},
                             {"576p", "576p"},
                             {"576i", "576i"},
                             {"1080p(23)", "1080p23"}},
                            "VO"}),
        kMedia,
    };
    return panel;
}

const PlayerPanel& TavishPanel() {
    static const PlayerPanel panel{
        PlaybackControl("?D"),
        kRelayControl,
        {"Mute Control", 1, {kAudioMute, kVideoMute}},
        VideoConfiguration({{{"1080i", "1080I29"},
                             {"720p", "720P59"},
                             {"480p", "480P"},
                             {"480i", "480I"},
                             {"1080i(25)", "1080I25"},
                             {"720p(50)", "720P50"},
                             {"576p", "576P"},
                             {"576i", "576I"}},
                            "VO"}),
        kMedia,
    };
    return panel;
}

const PlayerPanel& SorrelPanel() {
    static const PlayerPanel panel{
        PlaybackControl("?D"),
        {"Video Controls",
         1,
         {
             kVideoMute,
             Buttons("Colorspace", {{"RGB", "0VC"}, {"YUV", "1VC"}}),
             Buttons("Sync Green", {{"Off", "0SG"}, {"On", "1SG"}}),
             Sliders({{"B", "BN", true, 50}, {"C", "CO", true, 50}, {"S", "SA", true, 50}}),
         }},
        {"Audio Control", 1, {kAudioMute, Sliders({{"Volume", "%AD", false, 100}})}},
        kMedia,
    };
    return panel;
}

const PlayerPanel& WrennaPanel() {
    static const PlayerPanel panel{
        PlaybackControl("LS"),
        {"Video Controls",
         1,
         {
             Buttons("Colorspace", {{"RGBHV", "0VC"}, {"YPbPr", "1VC"}}),
             Buttons("Sync On G(Y)", {{"On", "1SG"}, {"Off", "0SG"}}),
             List("Output Format",
                  {QuotedEntries({"1080i", "720p", "480p", "1080i25-16:9", "1080i29-16:9",
                                  "1080i30-16:9", "1080i25-4:3", "720p50-16:9", "720p59-16:9",
                                  "720p60-16:9", "720p50-4:3", "720p59-4:3", "720p60-4:3", "NTSC",
                                  "PAL"}),
                   "VD", false}),
         }},
        {"Mute Control", 1, {kVideoMute, kAudioMute}},
    };
    return panel;
}

const PlayerPanel& OberinPanel() {
    static const PlayerPanel panel{
        {"Play Control",
         0,
         {
             FileNumberBox(),
             FileCommands({{"Search", "SE"}, {"Play Next", "PN"}, {"Loop Next", "LN"}}),
             Buttons({}, {{"Play", "PL"},
                          {"Loop", "LP"},
                          {"Stop", "RJ"},
                          {"Pause", "PA"},
                          {"Still", "ST"}}),
         }},
        {"Oberin Queries", 1, {Buttons({}, {{"Status", "?P"}, {"Chapter", "?C"}})}},
        {"General Controls", 1, {kAudioMute, kVideoMute}},
    };
    return panel;
}

}  // namespace

CUlmarTabDlg::CUlmarTabDlg(IPageHost& host) : CSingleChannelPage(host, UlmarPanel()) {}
CTavishTabDlg::CTavishTabDlg(IPageHost& host) : CSingleChannelPage(host, TavishPanel()) {}
CSorrelTabDlg::CSorrelTabDlg(IPageHost& host) : CSingleChannelPage(host, SorrelPanel()) {}
CWrennaTabDlg::CWrennaTabDlg(IPageHost& host) : CSingleChannelPage(host, WrennaPanel()) {}
COberinTabDlg::COberinTabDlg(IPageHost& host) : CSingleChannelPage(host, OberinPanel()) {}

}  // namespace zel
