#include "pages/video/video_page.h"

#include "products/file_argument.h"

namespace zel {

CVideoPage::Part CVideoPage::Fixed(std::string text) {
    return [text = std::move(text)] { return text; };
}

std::string CVideoPage::Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

CVideoPage::Part CVideoPage::FileArgumentOf(const ControlId& box) {
    return [this, &box] { return NormalizeFileArgument(Text(box), Host().Window()); };
}

CVideoPage::Part CVideoPage::QuotedChoiceOf(const ControlId& list) {
    return [this, &list] { return Quoted(Text(list)); };
}

CVideoPage::Part CVideoPage::DigitOf(const ControlId& list) {
    return [this, &list] { return Text(list).substr(0, 1); };
}

CVideoPage::Part CVideoPage::PositionOf(const ControlId& list) {
    return [this, &list] { return std::to_string(Selected(list)); };
}

ControlId CVideoPage::CommandButton(std::string caption, Part lead, Part target,
                                    std::string letters) {
    return Button(std::move(caption),
                  [this, lead = std::move(lead), target = std::move(target),
                   letters = std::move(letters)] { Send(lead() + target() + letters, true); });
}

void CVideoPage::LeadButtons(const std::vector<ButtonCode>& leads, const Part& target,
                             const std::string& letters) {
    for (const ButtonCode& lead : leads)
        CommandButton(lead.caption, Fixed(lead.code), target, letters);
}

void CVideoPage::LetterButtons(const std::vector<ButtonCode>& letters, const Part& target) {
    for (const ButtonCode& code : letters)
        CommandButton(code.caption, Fixed({}), target, code.code);
}

ControlId CVideoPage::BannerTextButton(std::string caption, const ControlId& box, Part target,
                                       bool sendsEmptyText) {
    return Button(std::move(caption), [this, &box, target = std::move(target), sendsEmptyText] {
        if (Text(box).empty() && !sendsEmptyText) return;
        Send(Text(box) + target() + "BT", true);
    });
}

}  // namespace zel
