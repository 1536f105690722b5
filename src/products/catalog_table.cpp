// The products as built into the program: pages, protocols per connection and capabilities.
// Products that look alike share one declared set each.
#include <initializer_list>

#include "products/catalog.h"

namespace zel {
namespace {

using ProtocolLists = std::array<std::vector<ProtocolInfo>, 3>;

// ---- Pages ----

const PageRef kGeneral{"General", "CGeneralTabDlg"};
const PageRef kNotes{"Notes", "CNotesTabDlg"};
const PageRef kDateTime{"Date/Time", "CSchedTabDlg"};
const PageRef kNetwork{"Network", "CNetworkTabDlg"};
const PageRef kSmpte{"SMPTE", "CSMPTEConfigTabDlg"};
const PageRef kSmtpHttp{"SMTP/HTTP", "CSMTPHTTPTabDlg"};
const PageRef kCustom{"Custom", "CCustomTabDlg"};

// Every sheet opens with General and closes with Custom.
std::vector<PageRef> Sheet(std::initializer_list<PageRef> middle,
                           std::initializer_list<PageRef> tail = {}) {
    std::vector<PageRef> pages{kGeneral};
    pages.insert(pages.end(), middle);
    pages.insert(pages.end(), tail);
    pages.push_back(kCustom);
    return pages;
}

PageRef Control(const char* pageClass) {
    return {"Control", pageClass};
}

// The usual sheet of a player with a clock: one control page, then Date/Time and Network.
std::vector<PageRef> ClockedPlayer(const char* controlClass) {
    return Sheet({Control(controlClass)}, {kDateTime, kNetwork});
}

const std::vector<PageRef> kArdentPages = Sheet({{"Video", "CArdentTabDlg"},
                                                 {"Audio", "CArdentAudioTab"},
                                                 {"Banner", "CArdentBanTab"},
                                                 {"Image", "CArdentImgTab"},
                                                 {"Scheduler/Browser", "CArdentSchBrowDlg"}},
                                                {kDateTime, kNetwork});
const std::vector<PageRef> kReelmastPages = Sheet({kNotes,
                                                   {"Reproducer", "CReelmastReproTabDlg"},
                                                   {"Controller", "CReelmastControlTabDlg"},
                                                   kSmpte},
                                                  {kNetwork});
const std::vector<PageRef> kKorvexPages = Sheet({Control("CKorvexTabDlg"),
                                                 {"Control2", "CKorvexTabDlg2"},
                                                 {"Redundant", "CKorvexTabDlg3"},
                                                 {"Name/Script", "CKorvexTabDlg4"}},
                                                {kDateTime, kNetwork, kSmtpHttp});
const std::vector<PageRef> kShowPages = Sheet({kNotes, Control("CShowTabDlg")});
const std::vector<PageRef> kUlmarPages = ClockedPlayer("CUlmarTabDlg");

std::vector<PageRef> LightingSheet(const char* play, const char* record, const char* set) {
    return Sheet({{"Play", play}, {"Record", record}, {"Set", set}},
                 {kDateTime, kNetwork, kSmtpHttp});
}

// ---- Protocols ----

constexpr const char* kOnly9600 = "9600";
constexpr const char* kFullBauds = "1200,2400,4800,9600,19200,38400,57600,115200";
constexpr const char* kShortBauds = "1200,2400,4800,9600,19200,38400";

ProtocolInfo SerialEntry(int32_t protocol, const char* baudRates) {
    return {protocol, kSerial, true, baudRates, "9600", 0};
}

ProtocolInfo EthernetEntry(int32_t protocol, uint32_t port, bool isDefault = true) {
    return {protocol, kEthernet, isDefault, "", "", port};
}

ProtocolInfo UsbEntry(int32_t protocol) {
    return {protocol, kUsb, true, "", "", 0};
}

ProtocolLists Lines(std::vector<ProtocolInfo> serial, std::vector<ProtocolInfo> ethernet = {},
                    std::vector<ProtocolInfo> usb = {}) {
    return {std::move(serial), std::move(ethernet), std::move(usb)};
}

const ProtocolLists kSerialOnly = Lines({SerialEntry(kPioneer, kOnly9600)});
const ProtocolLists kZelnetPlayer =
    Lines({SerialEntry(kPioneer, kOnly9600)}, {EthernetEntry(kPioneerZelnet, 2639)});
const ProtocolLists kAudioPlayer =
    Lines({SerialEntry(kPioneer, kOnly9600)}, {EthernetEntry(kPioneer, 2638, false)});

// Plain Pioneer on 2638 first; the ZELNet frame on 2639 on request.
ProtocolLists TwoEthernetProtocols(const char* baudRates) {
    return Lines({SerialEntry(kPioneer, baudRates)},
                 {EthernetEntry(kPioneer, 2638), EthernetEntry(kPioneerZelnet, 2639, false)});
}
const ProtocolLists kTwoEthernet = TwoEthernetProtocols(kOnly9600);

ProtocolLists AllLines(int32_t protocol, const char* baudRates) {
    return Lines({SerialEntry(protocol, baudRates)}, {EthernetEntry(protocol, 2638)},
                 {UsbEntry(protocol)});
}
const ProtocolLists kKorvexLines = AllLines(kPioneer, kFullBauds);
const ProtocolLists kLightingLines = AllLines(kPioneer, kOnly9600);

const ProtocolLists kShowLines =
    Lines({SerialEntry(kQuorvaneEightBit, kShortBauds)}, {EthernetEntry(kNetwickEightBit, 2637)});

// ---- Capabilities ----

const Capabilities kVideoPlayerCaps{.networkAddress = true,
                                    .timeAndDate = true,
                                    .location = true,
                                    .deviceId = true,
                                    .password = true,
                                    .reboot = true,
                                    .version = true};
const Capabilities kQuelmCaps = [] {
    Capabilities caps = kVideoPlayerCaps;
    caps.groupCount = 4;
    return caps;
}();
const Capabilities kOberinCaps{.networkAddress = true,
                               .timeAndDate = true,
                               .deviceId = true,
                               .userName = true,
                               .reboot = true,
                               .version = true};
const Capabilities kCanzoCaps{
    .timeAndDate = true, .location = true, .deviceId = true, .reboot = true, .version = true};
const Capabilities kBriscaCaps{.reboot = true, .version = true};
const Capabilities kAudioPlayerCaps{.networkAddress = true,
                                    .timeAndDate = true,
                                    .location = true,
                                    .userName = true,
                                    .password = true,
                                    .reboot = true,
                                    .version = true,
                                    .ntp = true};
const Capabilities kNetworkedPlayerCaps{.networkAddress = true,
                                        .timeAndDate = true,
                                        .location = true,
                                        .deviceId = true,
                                        .userName = true,
                                        .password = true,
                                        .reboot = true,
                                        .version = true,
                                        .ntp = true};
const Capabilities kNetwickCaps{.networkAddress = true,
                                .timeAndDate = true,
                                .userName = true,
                                .password = true,
                                .version = true};
const Capabilities kVersionOnlyCaps{.version = true};
const Capabilities kCustomCaps{.networkAddress = true};

Capabilities ReelmastCaps(int reproducers) {
    return {.networkAddress = true,
            .version = true,
            .playbackMode = true,
            .reproducerCount = reproducers,
            .groupCount = 13};
}
const Capabilities kAddressedReelmastCaps = [] {
    Capabilities caps = ReelmastCaps(8);
    caps.reproducerAddressing = true;
    return caps;
}();

Capabilities ShowCaps(int firstRange) {
    return {.version = true, .showRanges = {firstRange, 32, 256, 32, 255}};
}

const Capabilities kKorvexCaps{.networkAddress = true,
                               .timeAndDate = true,
                               .location = true,
                               .deviceId = true,
                               .userName = true,
                               .password = true,
                               .reboot = true,
                               .version = true,
                               .secondJack = true,
                               .ntp = true,
                               .dhcp = true};
const Capabilities kGlimraProCaps = [] {
    Capabilities caps = kKorvexCaps;
    caps.deviceId = false;
    return caps;
}();

Capabilities WithoutSecondJack(Capabilities caps) {
    caps.secondJack = false;
    return caps;
}

struct CatalogRow {
    const char* name;
    std::vector<PageRef> pages;
    ProtocolLists protocols;
    Capabilities capabilities;
};

}  // namespace

std::vector<ProductInfo> BuildCatalog() {
    // In index order: the row number is the product index.
    const CatalogRow rows[] = {
        {"Quelm",
         Sheet(
             {Control("CQuelmTabDlg"), {"Banner", "CQuelmBanTabDlg"}, {"Image", "CQuelmImgTabDlg"}},
             {kDateTime, kNetwork}),
         kZelnetPlayer, kQuelmCaps},
        {"Oberin", Sheet({Control("COberinTabDlg")}, {kNetwork}), kZelnetPlayer, kOberinCaps},
        {"Ardent", kArdentPages, kZelnetPlayer, kVideoPlayerCaps},
        {"Ardent HD", kArdentPages, kZelnetPlayer, kVideoPlayerCaps},
        {"Wrenna", Sheet({Control("CWrennaTabDlg")}, {kNetwork}), kZelnetPlayer, kVideoPlayerCaps},
        {"Canzo", ClockedPlayer("CCanzoTabDlg"), kSerialOnly, kCanzoCaps},
        {"Brisca", Sheet({Control("CBriscaTabDlg")}), kSerialOnly, kBriscaCaps},
        {"Brisca-E", ClockedPlayer("CBriscaETabDlg"), kAudioPlayer, kAudioPlayerCaps},
        {"Melisk", ClockedPlayer("CMeliskTabDlg"), kAudioPlayer, kAudioPlayerCaps},
        {"Pavane", ClockedPlayer("CPavaneTabDlg"), kAudioPlayer, kAudioPlayerCaps},
        {"Rovant", ClockedPlayer("CRovantTabDlg"), kAudioPlayer, kAudioPlayerCaps},
        {"Sonnel", ClockedPlayer("CSonnelTabDlg"), kTwoEthernet, kNetworkedPlayerCaps},
        {"Netwick", ClockedPlayer("CNetwickTabDlg"), Lines({SerialEntry(kNetwickTest, kOnly9600)}),
         kNetwickCaps},
        {"Glimra", Sheet({Control("CGlimraTabDlg")}), kSerialOnly, kVersionOnlyCaps},
        {"Video Reelmast", kReelmastPages, kTwoEthernet, ReelmastCaps(16)},
        {"A/V Reelmast", kReelmastPages, kTwoEthernet, ReelmastCaps(16)},
        {"A/V Reelmast HD", kReelmastPages, kTwoEthernet, kAddressedReelmastCaps},
        {"Digital Reelmast", kReelmastPages, kTwoEthernet, ReelmastCaps(16)},
        {"Digital Reelmast HD", kReelmastPages, kTwoEthernet, ReelmastCaps(8)},
        {"Sorrel", ClockedPlayer("CSorrelTabDlg"), TwoEthernetProtocols(kFullBauds),
         kNetworkedPlayerCaps},
        {"Tavish", ClockedPlayer("CTavishTabDlg"), kTwoEthernet, kNetworkedPlayerCaps},
        {"Korvex", kKorvexPages, kKorvexLines, kKorvexCaps},
        {"Korvel", kKorvexPages, kKorvexLines, kKorvexCaps},
        {"Pellor", kKorvexPages, kKorvexLines, WithoutSecondJack(kKorvexCaps)},
        {"Lumeka", kShowPages, kShowLines, ShowCaps(0)},
        {"Tamrin", kShowPages, kShowLines, ShowCaps(16)},
        {"Tamrel", kShowPages, kShowLines, ShowCaps(16)},
        {"Tamlet", kShowPages, kShowLines, ShowCaps(8)},
        {"Plinth", kShowPages, kShowLines, ShowCaps(8)},
        {"Gridix", kShowPages, kShowLines, ShowCaps(32)},
        {"Custom", Sheet({}), AllLines(kCustomProtocol, kFullBauds), kCustomCaps},
        {"GlimraPro",
         LightingSheet("CGlimraProTabDlg", "CGlimraProRecTabDlg", "CGlimraProSetTabDlg"),
         kLightingLines, kGlimraProCaps},
        {"GlimraE", LightingSheet("CGlimraETabDlg", "CGlimraERecTabDlg", "CGlimraESetTabDlg"),
         kLightingLines, WithoutSecondJack(kGlimraProCaps)},
        {"Ulmar", kUlmarPages, kTwoEthernet, kNetworkedPlayerCaps},
        {"Framlet", kUlmarPages, kTwoEthernet, kNetworkedPlayerCaps},
    };
    static_assert(std::size(rows) == kProductCount);

    std::vector<ProductInfo> catalog;
    catalog.reserve(kProductCount);
    for (const CatalogRow& row : rows) {
        catalog.emplace_back(static_cast<uint32_t>(catalog.size()), row.name, row.pages,
                             row.capabilities, row.protocols);
    }
    return catalog;
}

}  // namespace zel
