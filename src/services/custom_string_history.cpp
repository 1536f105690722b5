#include "services/custom_string_history.h"

#include <algorithm>

namespace zel {

namespace {

std::string ValueName(size_t number) {
    return "CustomStringHistory" + std::to_string(number);
}

}  // namespace

void CustomStringHistory::Add(const std::string& text) {
    if (!text.empty()) {
        // A string sent again moves up to the newest place instead of standing twice.
        std::erase(entries_, text);
        entries_.push_back(text);
        if (entries_.size() > kLength) entries_.erase(entries_.begin());
    }
    position_ = entries_.size();
    typed_.clear();
}

std::optional<std::string> CustomStringHistory::Older(const std::string& shown) {
    if (position_ > entries_.size()) position_ = entries_.size();
    if (position_ == 0) return std::nullopt;
    if (position_ == entries_.size()) typed_ = shown;
    return entries_[--position_];
}

std::optional<std::string> CustomStringHistory::Newer() {
    if (position_ >= entries_.size()) return std::nullopt;
    ++position_;
    return position_ == entries_.size() ? typed_ : entries_[position_];
}

void CustomStringHistory::Load(ISettingsKey& key) {
    entries_.clear();
    for (size_t number = kLength; number >= 1; --number) {
        if (auto text = key.ReadValue(ValueName(number)); text && !text->empty()) {
            std::erase(entries_, *text);
            entries_.push_back(*text);
        }
    }
    position_ = entries_.size();
}

bool CustomStringHistory::Save(ISettingsKey& key) const {
    bool ok = true;
    for (size_t number = 1; number <= kLength; ++number) {
        if (number <= entries_.size()) {
            ok &= key.WriteText(ValueName(number), entries_[entries_.size() - number]);
        } else {
            key.DeleteValue(ValueName(number));
        }
    }
    return ok;
}

}  // namespace zel
