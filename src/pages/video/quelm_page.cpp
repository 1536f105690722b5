#include "pages/video/quelm_page.h"

namespace zel {

namespace {

const std::vector<std::string> kChannels = {"All", "1", "2", "3", "4"};
constexpr const char* kAllChannels = "All";
constexpr const char* kAllChannelsCode = "*";

}  // namespace

void CQuelmPage::ChannelBox() {
    channel_ = DropDownList("Channel #", kChannels);
}

void CQuelmPage::GroupBox() {
    group_ = DropDownList("Group #", {});
}

CVideoPage::Part CQuelmPage::ChannelCode() {
    return [this] {
        std::string channel = Text(channel_);
        return channel == kAllChannels ? std::string(kAllChannelsCode) : channel;
    };
}

CVideoPage::Part CQuelmPage::GroupCode() {
    return [this] { return Text(group_); };
}

std::vector<std::string> CQuelmPage::GroupNumbers() const {
    std::vector<std::string> numbers;
    int count = Product() ? Product()->Caps().groupCount : 0;
    for (int group = 1; group <= count; ++group) numbers.push_back(std::to_string(group));
    return numbers;
}

void CQuelmPage::OnInitDialog() {
    Select(channel_, 0);
    SetChoices(group_, GroupNumbers());
}

}  // namespace zel
