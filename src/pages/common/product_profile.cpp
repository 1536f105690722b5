#include "pages/common/product_profile.h"

#include <array>

#include "products/catalog.h"

namespace zel {
namespace {

// Illustrations by product family.
constexpr std::string_view kGraphicsPlayer = "graphics_player";
constexpr std::string_view kVideoPlayer = "video_player";
constexpr std::string_view kMultiChannelVideo = "multichannel_video";
constexpr std::string_view kStereoAudio = "stereo_audio_player";
constexpr std::string_view kMp3Player = "mp3_player";
constexpr std::string_view kNetworkBox = "network_box";
constexpr std::string_view kDmxRecorder = "dmx_recorder";
constexpr std::string_view kFlagshipController = "flagship_controller";
constexpr std::string_view kShowController = "show_controller";
constexpr std::string_view kGeneric = kFallbackIllustration;

// By catalog index.
constexpr std::array<ProductProfile, kProductCount> kProfiles{{
    {"Quelm Four-Channel Graphics Player",
     "The Quelm plays video on four independent channels, which can also be joined into up to "
     "four groups for synchronised playback. Scrolling banners and still images can be laid over "
     "each channel. It takes commands over RS-232 or Ethernet (UDP) with ZELNet framing and keeps "
     "its own clock and location for scheduled shows.",
     kGraphicsPlayer},
    {"Oberin Single-Channel Video Player",
     "The Oberin is a compact single-channel video player that plays, loops, pauses and searches "
     "files by name or number. Clips start from contact closures, RS-232 commands or Ethernet "
     "(UDP) messages. It is the entry-level networked player of the video line.",
     kVideoPlayer},
    {"Ardent Digital Signage Player",
     "The Ardent plays video, audio, a scrolling text banner and still images, each on its own "
     "playback channel. Its built-in scheduler and browser run playlists by time and date. It is "
     "controlled over RS-232 or Ethernet (UDP) with ZELNet framing.",
     kGraphicsPlayer},
    {"Ardent HD High-Definition Digital Signage Player",
     "The Ardent HD is the high-definition edition of the Ardent, with video up to 1080p. Video, "
     "audio, banner and image layers play on separate channels under the control of a built-in "
     "scheduler. It shares the Ardent's command set over RS-232 and Ethernet (UDP).",
     kGraphicsPlayer},
    {"Wrenna Networked Video Player",
     "The Wrenna is a single-channel video player in a slim chassis for exhibits and kiosks. "
     "Files start from contact closures, RS-232 commands or Ethernet (UDP) messages, and a "
     "default playlist runs unattended from power-up.",
     kVideoPlayer},
    {"Canzo Stereo Audio Player",
     "The Canzo is a stereo audio player that plays MP3 and WAV files from flash memory. It is "
     "triggered by contact closures or RS-232 commands. Its real-time clock runs scheduled "
     "announcements and background music.",
     kStereoAudio},
    {"Brisca Eight-Channel MP3 Player",
     "The Brisca plays eight independent channels of MP3 audio, each started, looped and "
     "stopped on its own or all together. It is controlled over RS-232 and by contact closures. "
     "It is the serial-only member of the multi-channel audio line.",
     kMp3Player},
    {"Brisca-E Networked Multi-Channel MP3 Player",
     "The Brisca-E adds Ethernet (UDP) control, a real-time clock and network time to "
     "multi-channel MP3 playback. Its channels are addressed in stereo pairs or in groups. A "
     "lockable front panel keeps visitors from changing the show.",
     kMp3Player},
    {"Melisk 16-Channel MP3 Player",
     "The Melisk plays 16 channels of MP3 audio for museums and multi-zone installations, with a "
     "volume per channel. Channels are addressed singly, in pairs or in groups over RS-232 or "
     "Ethernet (UDP). Timed events run from its clock, set by hand or by network time.",
     kMp3Player},
    {"Pavane Multi-Zone MP3 Player",
     "The Pavane is a rack-mount multi-channel MP3 player for background music and "
     "announcements across many zones. Each of its 16 channels can be triggered singly, in pairs "
     "or in groups by RS-232, Ethernet (UDP) or contact closures. Its schedule follows network "
     "time.",
     kMp3Player},
    {"Rovant 16-Channel MP3 Player",
     "The Rovant is the top of the multi-channel audio line: 16 channels of MP3 playback with "
     "per-channel volume, channel pairs and 13 channel groups. It takes commands over RS-232 and "
     "Ethernet (UDP) and runs timed playlists from a clock kept by network time.",
     kMp3Player},
    {"Sonnel Networked Stereo Audio Player",
     "The Sonnel is a stereo audio player with Ethernet, playing MP3 and WAV files from flash "
     "memory. Tracks start from contact closures, RS-232 commands or UDP messages, with or "
     "without ZELNet framing. Its clock follows network time for scheduled playback.",
     kStereoAudio},
    {"Netwick Show Controller Network Interface",
     "The Netwick is a small utility box that gives the Quorvane show controllers Ethernet "
     "access, a real-time clock and a scheduler. It passes 8-bit show-control packets between "
     "UDP and a controller's serial port. It is set up over RS-232 while in its test mode.",
     kNetworkBox},
    {"Glimra DMX Recorder",
     "The Glimra records one universe of DMX-512 lighting data and plays it back on cue, looped, "
     "or chased to SMPTE time code. It is triggered by contact closures or RS-232 commands. It is "
     "the compact member of the lighting line.",
     kDmxRecorder},
    {"Video Reelmast Multi-Channel Video Player",
     "The Video Reelmast is a synchronised multi-channel video system: one controller drives up "
     "to 16 reproducers, one at a time, in up to 13 groups or all together. The controller "
     "generates SMPTE/EBU time code and takes commands over RS-232 or Ethernet (UDP).",
     kMultiChannelVideo},
    {"A/V Reelmast Multi-Channel Audio/Video Player",
     "The A/V Reelmast is a synchronised multi-channel system in which each of up to 16 "
     "reproducers plays video with stereo audio. Reproducers are addressed singly, in up to 13 "
     "groups or all at once. Its controller generates SMPTE/EBU time code and is driven over "
     "RS-232 or Ethernet (UDP).",
     kMultiChannelVideo},
    {"A/V Reelmast HD High-Definition Audio/Video Player",
     "The A/V Reelmast HD plays high-definition video with audio on up to 8 synchronised "
     "reproducers. Each reproducer can also be reached directly over Ethernet (UDP) for its own "
     "network settings. The controller generates SMPTE/EBU time code and takes RS-232 and UDP "
     "commands.",
     kMultiChannelVideo},
    {"Digital Reelmast Multi-Channel Digital Video Player",
     "The Digital Reelmast plays digital video on up to 16 frame-accurate reproducers under one "
     "controller. Reproducers run singly, in up to 13 groups or all together, locked to the "
     "controller's SMPTE/EBU time code. It is controlled over RS-232 or Ethernet (UDP).",
     kMultiChannelVideo},
    {"Digital Reelmast HD High-Definition Digital Video Player",
     "The Digital Reelmast HD brings high-definition digital video to up to 8 synchronised "
     "reproducers. They are addressed singly, in groups or all together, locked to the "
     "controller's SMPTE/EBU time code. It is controlled over RS-232 or Ethernet (UDP).",
     kMultiChannelVideo},
    {"Sorrel HD Video Player",
     "The Sorrel is a single-channel high-definition video player with selectable output "
     "formats. It accepts RS-232 commands at up to 115200 baud, Ethernet (UDP) messages and "
     "contact closures. Its clock follows network time for scheduled playback.",
     kVideoPlayer},
    {"Tavish Single-Channel Video Player",
     "The Tavish is a single-channel video player with its own set of output formats, relays "
     "and picture adjustments. Files start from contact closures, RS-232 commands or Ethernet "
     "(UDP) messages. Its clock and network time drive scheduled playback.",
     kVideoPlayer},
    {"Korvex Show Controller",
     "The Korvex is the flagship show controller of the Quorvane line. It runs Cuewright scripts, "
     "time-code shows and timed events, shows messages on its front-panel display, and has two "
     "Ethernet jacks for separate networks. It is controlled over RS-232, Ethernet (UDP) and USB "
     "and reports by e-mail through its SMTP and HTTP services.",
     kFlagshipController},
    {"Korvel Redundant Show Controller",
     "The Korvel is a show controller built for redundant installations: a standby unit takes "
     "over the show when the main unit fails. It runs Cuewright scripts and time-code shows, and "
     "has two Ethernet jacks, RS-232 and USB control. It reports by e-mail through its SMTP and "
     "HTTP services.",
     kFlagshipController},
    {"Pellor Compact Show Controller",
     "The Pellor is the compact member of the Korvex line, with one Ethernet jack and no "
     "front-panel display or time code. It runs Cuewright scripts and timed events, and is "
     "controlled over RS-232, Ethernet (UDP) and USB.",
     kFlagshipController},
    {"Lumeka Show Controller",
     "The Lumeka is a show controller without relay outputs that runs up to 256 sequences with "
     "32 flags and 32 variables, programmed in Cuewright. It drives players and lighting through "
     "its serial ports. It answers the 8-bit show-control protocol on RS-232, or on Ethernet "
     "through a Netwick.",
     kShowController},
    {"Tamrin Show Controller",
     "The Tamrin is a show controller with 16 relay outputs, 32 flags, 32 variables and up to "
     "256 sequences, programmed in Cuewright. It takes contact inputs and drives players over its "
     "serial ports. It answers the 8-bit show-control protocol on RS-232, or on Ethernet through "
     "a Netwick.",
     kShowController},
    {"Tamrel Show Controller",
     "The Tamrel is the DIN-rail edition of the Tamrin, with 16 relay outputs, 32 flags, 32 "
     "variables and up to 256 sequences. It is programmed in Cuewright. It answers the 8-bit "
     "show-control protocol on RS-232, or on Ethernet through a Netwick.",
     kShowController},
    {"Tamlet Show Controller",
     "The Tamlet is a small show controller with 8 relay outputs, 32 flags, 32 variables and up "
     "to 256 sequences, programmed in Cuewright. It suits single-room exhibits. It answers the "
     "8-bit show-control protocol on RS-232, or on Ethernet through a Netwick.",
     kShowController},
    {"Plinth Show Controller",
     "The Plinth is a show controller with 8 relay outputs built to sit inside an exhibit plinth "
     "or kiosk. It runs up to 256 Cuewright sequences with 32 flags and 32 variables. It answers "
     "the 8-bit show-control protocol on RS-232, or on Ethernet through a Netwick.",
     kShowController},
    {"Gridix Show Controller",
     "The Gridix is the largest of the 8-bit show controllers, with 32 relay outputs, 32 flags, "
     "32 variables and up to 256 sequences, programmed in Cuewright. It drives whole galleries "
     "of players and lighting. It answers the 8-bit show-control protocol on RS-232, or on "
     "Ethernet through a Netwick.",
     kShowController},
    {"Custom Product",
     "The 'Custom' selection allows you to access the advanced control capabilies of Zel "
     "Terminal for use with other RS-232 or Ethernet(UDP) capable products.",
     kGeneric},
    {"GlimraPro Four-Universe DMX Recorder",
     "The GlimraPro records and plays back four universes of DMX-512 lighting data, with "
     "pile-on, crossfades and SMPTE chase. It has two Ethernet jacks, RS-232 and USB control, "
     "and a clock kept by network time. It reports by e-mail through its SMTP and HTTP services.",
     kDmxRecorder},
    {"GlimraE Networked DMX Recorder",
     "The GlimraE records and plays back one universe of DMX-512 lighting data, with pile-on, "
     "crossfades and SMPTE chase. It is controlled over RS-232, Ethernet (UDP) and USB, keeps "
     "time by network time and reports by e-mail.",
     kDmxRecorder},
    {"Ulmar HD Video Player",
     "The Ulmar is a single-channel high-definition video player with selectable output format "
     "and colour space, relays and picture adjustments. Files start from contact closures, "
     "RS-232 commands or Ethernet (UDP) messages. It is the most complete player of the "
     "single-channel line.",
     kVideoPlayer},
    {"Framlet Compact HD Video Player",
     "The Framlet is a compact high-definition video player that shares the Ulmar's command "
     "set. It plays files started by contact closures, RS-232 commands or Ethernet (UDP) "
     "messages, and keeps time by network time.",
     kVideoPlayer},
}};

constexpr ProductProfile kUnknownProduct{{}, {}, kFallbackIllustration};

}  // namespace

const ProductProfile& ProfileOf(uint32_t productIndex) {
    return productIndex < kProfiles.size() ? kProfiles[productIndex] : kUnknownProduct;
}

}  // namespace zel
