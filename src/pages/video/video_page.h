#pragma once
// What the Ardent and Quelm pages share. Each of their commands is a lead (a value, a state, a
// file argument), a target (a channel or group code, or nothing) and the command letters, sent
// with a carriage return; one button handler serves every page, the parts differ per page.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "products/page_base.h"

namespace zel {

// A button's caption and the code it stands for (a lead or command letters).
struct ButtonCode {
    std::string caption;
    std::string code;
};

// Switches sent as a state digit in front of the target: "0" for off, "1" for on.
inline const std::vector<ButtonCode> kOffOn = {{"Off", "0"}, {"On", "1"}};
// Where a banner stands, Ardent and Quelm alike: the lead in front of the target and "BL".
inline const std::vector<ButtonCode> kBannerPositions = {{"Top", "T"}, {"Bottom", "B"}};

class CVideoPage : public CPage {
  protected:
    // One part of a command, read from the page when the button is pressed.
    using Part = std::function<std::string()>;

    using CPage::CPage;

    static Part Fixed(std::string text);
    static std::string Quoted(std::string_view text);

    // Parts read the control through the member that holds its id, so a button may be declared
    // before the box it reads.
    //
    // A file box's argument: an empty box or a number of more than five digits is refused with
    // a message and gives nothing, and these players still get the command without it.
    Part FileArgumentOf(const ControlId& box);
    Part QuotedChoiceOf(const ControlId& list);
    // The digit that an entry such as "2-Fast" begins with.
    Part DigitOf(const ControlId& list);
    // The chosen entry's position, as one digit.
    Part PositionOf(const ControlId& list);

    ControlId CommandButton(std::string caption, Part lead, Part target, std::string letters);
    // One button per code: the code leads, then the target and the letters.
    void LeadButtons(const std::vector<ButtonCode>& leads, const Part& target,
                     const std::string& letters);
    // One button per code: the target, then the code as the letters.
    void LetterButtons(const std::vector<ButtonCode>& letters, const Part& target);
    // The banner's text, then the target and "BT"; some players take no empty banner text.
    ControlId BannerTextButton(std::string caption, const ControlId& box, Part target,
                               bool sendsEmptyText);
};

}  // namespace zel
