#include "pages/lighting/glimra_page.h"

#include <algorithm>

namespace zel {

std::string GlimraTimeDigits(std::string_view time) {
    std::string digits(time);
    std::erase_if(digits, [](char c) { return c == ':' || c == '.'; });
    return digits;
}

CGlimraUniversePage::CGlimraUniversePage(IPageHost& host, std::string title,
                                         GlimraUniverses universes)
    : CPage(host, std::move(title)), universes_(universes) {}

ControlId CGlimraUniversePage::UniverseBox(int index, std::string caption) {
    boxes_[index] = CheckBox(std::move(caption), index == 0);
    HideOnOneUniverse(boxes_[index]);
    return boxes_[index];
}

void CGlimraUniversePage::UniverseGroup(int column) {
    Group("Universe", column);
    Row();
    for (int index = 0; index < kUniverseCount; ++index) {
        UniverseBox(index, std::to_string(index + 1));
    }
    EndGroup();
}

void CGlimraUniversePage::HideOnOneUniverse(ControlId id) {
    if (universes_ == GlimraUniverses::OnlyFirst) ShowWhen(id, [] { return false; });
}

std::string CGlimraUniversePage::Tag(int index) {
    return "u" + std::to_string(index + 1);
}

void CGlimraUniversePage::SendToTicked(
    const std::function<std::string(const std::string& tag)>& compose) {
    for (int index = 0; index < kUniverseCount; ++index) {
        if (Ticked(index)) Send(compose(Tag(index)), true);
    }
}

}  // namespace zel
