#pragma once
// The "Date/Time" tab: reads and sets a product's clock, time zone, daylight saving, location
// and network time, from values typed in or taken from the PC.
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "products/page_base.h"

namespace zel {

class CSchedTabDlg : public CPage {
  public:
    explicit CSchedTabDlg(IPageHost& host);

    // The Netwick takes the value of a SETTIME or SETDATE a moment after the keyword.
    static constexpr int kTimeFollowUpTimer = 350;
    static constexpr int kDateFollowUpTimer = 351;
    static constexpr unsigned kFollowUpDelayMs = 500;

  protected:
    void OnInitDialog() override;
    void OnDestroy() override;

  private:
    struct Requirement {
        bool Capabilities::*capability;
        bool setMode = false;
        bool typedValue = false;  // "Use PC Settings" not ticked
    };
    using Value = std::function<std::optional<std::string>()>;

    ControlId SettingButton(std::string caption, std::function<void()> onPress);
    void Require(std::initializer_list<ControlId> ids, Requirement requirement);
    bool Has(bool Capabilities::*capability) const;
    bool IsProduct(uint32_t index) const;
    bool EncodesDaylightAsType() const;
    bool UsesPc() const { return Checked(usePc_); }

    // Get sends the word alone, Set the value followed by the word.
    void SendSetting(const std::string& word, const Value& value);
    void SendKeywordThenValue(const char* getWord, const char* setWord, int timer,
                              const std::string& value);

    void OnTime();
    void OnDate();
    std::string TimeText();
    std::string DateText();
    int PcOffsetHours();
    std::optional<std::string> Coordinate(ControlId edit, int maximum, ControlId positive,
                                          const char* positiveLetter, const char* negativeLetter,
                                          const char* message);
    std::string DaylightTypeValue();
    std::string DaylightEnableValue();

    ControlId set_, usePc_;
    ControlId time_, date_, dstEnable_, timezone_, latitude_, north_, longitude_, east_, dstType_;
    ControlId ntpEnable_, ntpServer_, jack_;
};

}  // namespace zel
