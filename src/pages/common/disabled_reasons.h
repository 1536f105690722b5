#pragma once
// What the pages tell the operator about a control that cannot be used now.
namespace zel {

inline constexpr char kNeedsSetMode[] = "Needs Set chosen";
inline constexpr char kNotOnThisProduct[] = "This product does not have this setting";
inline constexpr char kOneJackOnly[] = "This product has one Ethernet jack";

}  // namespace zel
