#pragma once
// The custom strings sent before, newest last, for the operator to walk back through with the
// arrow keys; kept between runs. What was being typed when the walk began comes back at its end.
#include <optional>
#include <string>
#include <vector>

#include "services/settings_store.h"

namespace zel {

class CustomStringHistory {
  public:
    static constexpr size_t kLength = 50;

    // A string sent; each text is kept once, at the place of its latest send. Ends any walk.
    void Add(const std::string& text);
    // One step back from the string now in the box; nothing when there is none older.
    std::optional<std::string> Older(const std::string& shown);
    // One step forward; the text typed before the walk after the newest; nothing when not walking.
    std::optional<std::string> Newer();

    const std::vector<std::string>& Entries() const { return entries_; }

    // Under the names CustomStringHistory1 (the newest) to CustomStringHistory50.
    void Load(ISettingsKey& key);
    bool Save(ISettingsKey& key) const;

  private:
    std::vector<std::string> entries_;  // oldest first
    size_t position_ = 0;               // the entry shown while walking; entries_.size() when not
    std::string typed_;
};

}  // namespace zel
