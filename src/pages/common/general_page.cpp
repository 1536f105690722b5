#include "pages/common/general_page.h"

#include <algorithm>
#include <array>

#include "pages/common/product_profile.h"
#include "services/framing.h"

namespace zel {
namespace {

// How each protocol asks for the firmware version; protocols not listed have no such query.
enum class VersionQuery { Text, EightBitPacket };
struct ProtocolVersionQuery {
    int32_t protocol;
    VersionQuery query;
};
constexpr std::array<ProtocolVersionQuery, 5> kVersionQueries{{
    {kPioneer, VersionQuery::Text},
    {kPioneerZelnet, VersionQuery::Text},
    {kNetwickTest, VersionQuery::Text},
    {kNetwickEightBit, VersionQuery::EightBitPacket},
    {kQuorvaneEightBit, VersionQuery::EightBitPacket},
}};
constexpr char kVersionText[] = "?V";
constexpr char kVersionCommandByte[] = "B";
constexpr uint8_t kGeneralAddress = 0;

// The Ardent players take the whole word; the rest of the line takes the short code.
constexpr std::array<uint32_t, 2> kProductsRebootingByWord{2, 3};
constexpr char kRebootWord[] = "REBOOT";
constexpr char kRebootCode[] = "XX";

}  // namespace

CGeneralTabDlg::CGeneralTabDlg(IPageHost& host) : CPage(host, "General") {
    picture_ = Picture(std::string(kFallbackIllustration));
    Row();
    fullName_ = Label("Full Product Name");
    Row();
    description_ = Label("Detailed Product Description", true);
    Group("General");
    version_ = Button("Version", [this] { OnVersion(); });
    reboot_ = Button("Reboot", [this] { OnReboot(); });
    EndGroup();
    EnableWhen(
        version_, [this] { return Product() && Product()->Caps().version; },
        "This product does not report its version");
    EnableWhen(
        reboot_, [this] { return Product() && Product()->Caps().reboot; },
        "This product cannot be rebooted from here");
    // Paths are fixed now, from the template's texts, so they stay put while the texts change.
    Controls();
}

void CGeneralTabDlg::OnInitDialog() {
    if (!Product()) return;
    const ProductProfile& profile = ProfileOf(Product()->Index());
    SetText(picture_, std::string(profile.illustration));
    SetText(fullName_, std::string(profile.fullName));
    SetText(description_, std::string(profile.description));
}

void CGeneralTabDlg::OnVersion() {
    const ProtocolInfo* protocol = CurrentProtocol();
    if (!protocol) return;
    auto found =
        std::find_if(kVersionQueries.begin(), kVersionQueries.end(),
                     [&](const auto& entry) { return entry.protocol == protocol->protocol; });
    if (found == kVersionQueries.end()) return;
    if (found->query == VersionQuery::Text) {
        Send(kVersionText, true);
    } else {
        Send(BuildEightBitPacket(kVersionCommandByte, kGeneralAddress), false);
    }
}

void CGeneralTabDlg::OnReboot() {
    if (Ask("Are you sure?", MessageButtons::OkCancel, MessageIcon::Question) !=
        MessageAnswer::Ok) {
        return;
    }
    bool byWord =
        Product() && std::find(kProductsRebootingByWord.begin(), kProductsRebootingByWord.end(),
                               Product()->Index()) != kProductsRebootingByWord.end();
    Send(byWord ? kRebootWord : kRebootCode, true);
}

}  // namespace zel
