#pragma once
// The fixed playback channels of the Ardent players, as their commands carry them.
namespace zel::ardent {

inline constexpr const char* kVideoChannel = "1";
inline constexpr const char* kAudioChannel = "2";
inline constexpr const char* kImageChannel = "3";
inline constexpr const char* kBannerChannel = "4";
inline constexpr const char* kBrowserChannel = "5";
inline constexpr const char* kSchedulerChannel = "9";
// Instead of the channel while broadcasting to all channels.
inline constexpr const char* kAllChannels = "*";

}  // namespace zel::ardent
