#pragma once
// What the lighting recorders' pages share: the time boxes and the DMX universes a command goes
// to. The GlimraPro pages address four universes; the Glimra-E pages are the same pages with the
// universe choices hidden, so their commands always go to universe 1, ticked from the start.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "products/page_base.h"

namespace zel {

enum class GlimraUniverses { Four, OnlyFirst };

// Times are typed as hh:mm:ss.hh; the recorders take the digits alone.
inline constexpr char kGlimraInitialTime[] = "00:00:00.00";
inline constexpr size_t kGlimraTimeLength = 11;
std::string GlimraTimeDigits(std::string_view time);

class CGlimraUniversePage : public CPage {
  public:
    static constexpr int kUniverseCount = 4;
    static constexpr char kAllUniverses[] = "u*";

  protected:
    CGlimraUniversePage(IPageHost& host, std::string title, GlimraUniverses universes);

    // The box that ticks universe `index` (0 for universe 1); only universe 1 starts ticked.
    // A one-universe recorder never shows it.
    ControlId UniverseBox(int index, std::string caption = {});
    // The four boxes captioned "1" to "4" in a group "Universe".
    void UniverseGroup(int column);
    void HideOnOneUniverse(ControlId id);
    // The control declared last (a row's label).
    ControlId LastDeclared() const { return static_cast<ControlId>(Controls().size()) - 1; }

    bool Ticked(int index) const { return Checked(boxes_[index]); }
    // "u1" to "u4".
    static std::string Tag(int index);
    // One text per ticked universe, in the order 1 to 4; nothing when none is ticked.
    void SendToTicked(const std::function<std::string(const std::string& tag)>& compose);

  private:
    GlimraUniverses universes_;
    std::array<ControlId, kUniverseCount> boxes_{};
};

}  // namespace zel
