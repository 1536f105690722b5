#include "products/catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zel {
namespace {

// "Title:Class; Title:Class" in tab order.
std::string DescribePages(const ProductInfo& product) {
    std::string out;
    for (const PageRef& page : product.Pages()) {
        if (!out.empty()) out += "; ";
        out += page.title + ":" + page.pageClass;
    }
    return out;
}

// One list as "[>]Name[*] [bauds/default] [:port]; ...": > marks the selected entry, * the
// default flag; an entry filed under the wrong connection type is marked with "?".
std::string DescribeProtocols(const ProductInfo& product, int type) {
    std::string out;
    for (const ProtocolInfo& entry : product.Protocols(type)) {
        if (!out.empty()) out += "; ";
        if (&entry == product.CurrentProtocol(type)) out += ">";
        out += entry.GetName();
        if (entry.isDefault) out += "*";
        if (!entry.baudRates.empty()) out += " " + entry.baudRates + "/" + entry.defaultBaudRate;
        if (entry.defaultProductPort != 0) out += " :" + std::to_string(entry.defaultProductPort);
        if (entry.connectionType != type) out += " ?" + std::to_string(entry.connectionType);
    }
    return out;
}

std::string DescribeCaps(const Capabilities& caps) {
    const std::pair<bool, const char*> flags[] = {{caps.networkAddress, "net"},
                                                  {caps.timeAndDate, "time"},
                                                  {caps.location, "loc"},
                                                  {caps.deviceId, "id"},
                                                  {caps.userName, "user"},
                                                  {caps.password, "pass"},
                                                  {caps.reboot, "reboot"},
                                                  {caps.version, "ver"},
                                                  {caps.secondJack, "jack2"},
                                                  {caps.reproducerAddressing, "reproaddr"},
                                                  {caps.ntp, "ntp"},
                                                  {caps.dhcp, "dhcp"},
                                                  {caps.playbackMode, "playback"}};
    std::string out;
    const auto add = [&out](const std::string& token) {
        if (!out.empty()) out += ' ';
        out += token;
    };
    for (const auto& [set, token] : flags) {
        if (set) add(token);
    }
    if (caps.showRanges != std::array<int, 5>{}) {
        std::string ranges;
        for (int range : caps.showRanges) {
            if (!ranges.empty()) ranges += ',';
            ranges += std::to_string(range);
        }
        add("show=" + ranges);
    }
    if (caps.reproducerCount != 0) add("repro=" + std::to_string(caps.reproducerCount));
    if (caps.groupCount != 0) add("groups=" + std::to_string(caps.groupCount));
    return out;
}

const std::string kG = "General:CGeneralTabDlg; ";
const std::string kC = "Custom:CCustomTabDlg";
const std::string kDtNet = "Date/Time:CSchedTabDlg; Network:CNetworkTabDlg; ";
const std::string kNet = "Network:CNetworkTabDlg; ";
const std::string kSmtp = "SMTP/HTTP:CSMTPHTTPTabDlg; ";
const std::string kArdentPages =
    kG +
    "Video:CArdentTabDlg; Audio:CArdentAudioTab; Banner:CArdentBanTab; Image:CArdentImgTab; "
    "Scheduler/Browser:CArdentSchBrowDlg; " +
    kDtNet + kC;
const std::string kReelmastPages = kG +
                                   "Notes:CNotesTabDlg; Reproducer:CReelmastReproTabDlg; "
                                   "Controller:CReelmastControlTabDlg; SMPTE:CSMPTEConfigTabDlg; " +
                                   kNet + kC;
const std::string kKorvexPages = kG +
                                 "Control:CKorvexTabDlg; Control2:CKorvexTabDlg2; "
                                 "Redundant:CKorvexTabDlg3; Name/Script:CKorvexTabDlg4; " +
                                 kDtNet + kSmtp + kC;
const std::string kShowPages = kG + "Notes:CNotesTabDlg; Control:CShowTabDlg; " + kC;
const std::string kUlmarPages = kG + "Control:CUlmarTabDlg; " + kDtNet + kC;
std::string Clocked(const std::string& controlClass) {
    return kG + "Control:" + controlClass + "; " + kDtNet + kC;
}

const std::string kFull = "1200,2400,4800,9600,19200,38400,57600,115200/9600";
const std::string kS9600 = ">Pioneer* 9600/9600";
const std::string kSFull = ">Pioneer* " + kFull;
const std::string kSShow = ">Quorvane 8-bit* 1200,2400,4800,9600,19200,38400/9600";
const std::string kEZel = ">Pioneer(ZELNet)* :2639";
const std::string kEUnflagged = ">Pioneer :2638";
const std::string kETwo = ">Pioneer* :2638; Pioneer(ZELNet) :2639";
const std::string kE2638 = ">Pioneer* :2638";
const std::string kEShow = ">Netwick(8-bit)* :2637";
const std::string kUP = ">Pioneer*";

const std::string kPlayerCaps = "net time loc id pass reboot ver";
const std::string kAudioCaps = "net time loc user pass reboot ver ntp";
const std::string kNetPlayerCaps = "net time loc id user pass reboot ver ntp";
const std::string kReelmastCaps = "net ver playback repro=16 groups=13";
const std::string kKorvexCaps = "net time loc id user pass reboot ver jack2 ntp dhcp";
const std::string kShowTail = ",32,256,32,255";

struct ExpectedProduct {
    std::string name, pages, serial, ethernet, usb, caps;
};

const std::vector<ExpectedProduct> kExpected = {
    {"Quelm",
     kG + "Control:CQuelmTabDlg; Banner:CQuelmBanTabDlg; Image:CQuelmImgTabDlg; " + kDtNet + kC,
     kS9600, kEZel, "", kPlayerCaps + " groups=4"},
    {"Oberin", kG + "Control:COberinTabDlg; " + kNet + kC, kS9600, kEZel, "",
     "net time id user reboot ver"},
    {"Ardent", kArdentPages, kS9600, kEZel, "", kPlayerCaps},
    {"Ardent HD", kArdentPages, kS9600, kEZel, "", kPlayerCaps},
    {"Wrenna", kG + "Control:CWrennaTabDlg; " + kNet + kC, kS9600, kEZel, "", kPlayerCaps},
    {"Canzo", Clocked("CCanzoTabDlg"), kS9600, "", "", "time loc id reboot ver"},
    {"Brisca", kG + "Control:CBriscaTabDlg; " + kC, kS9600, "", "", "reboot ver"},
    {"Brisca-E", Clocked("CBriscaETabDlg"), kS9600, kEUnflagged, "", kAudioCaps},
    {"Melisk", Clocked("CMeliskTabDlg"), kS9600, kEUnflagged, "", kAudioCaps},
    {"Pavane", Clocked("CPavaneTabDlg"), kS9600, kEUnflagged, "", kAudioCaps},
    {"Rovant", Clocked("CRovantTabDlg"), kS9600, kEUnflagged, "", kAudioCaps},
    {"Sonnel", Clocked("CSonnelTabDlg"), kS9600, kETwo, "", kNetPlayerCaps},
    {"Netwick", Clocked("CNetwickTabDlg"), ">Netwick(Test)* 9600/9600", "", "",
     "net time user pass ver"},
    {"Glimra", kG + "Control:CGlimraTabDlg; " + kC, kS9600, "", "", "ver"},
    {"Video Reelmast", kReelmastPages, kS9600, kETwo, "", kReelmastCaps},
    {"A/V Reelmast", kReelmastPages, kS9600, kETwo, "", kReelmastCaps},
    {"A/V Reelmast HD", kReelmastPages, kS9600, kETwo, "",
     "net ver reproaddr playback repro=8 groups=13"},
    {"Digital Reelmast", kReelmastPages, kS9600, kETwo, "", kReelmastCaps},
    {"Digital Reelmast HD", kReelmastPages, kS9600, kETwo, "",
     "net ver playback repro=8 groups=13"},
    {"Sorrel", Clocked("CSorrelTabDlg"), kSFull, kETwo, "", kNetPlayerCaps},
    {"Tavish", Clocked("CTavishTabDlg"), kS9600, kETwo, "", kNetPlayerCaps},
    {"Korvex", kKorvexPages, kSFull, kE2638, kUP, kKorvexCaps},
    {"Korvel", kKorvexPages, kSFull, kE2638, kUP, kKorvexCaps},
    {"Pellor", kKorvexPages, kSFull, kE2638, kUP, "net time loc id user pass reboot ver ntp dhcp"},
    {"Lumeka", kShowPages, kSShow, kEShow, "", "ver show=0" + kShowTail},
    {"Tamrin", kShowPages, kSShow, kEShow, "", "ver show=16" + kShowTail},
    {"Tamrel", kShowPages, kSShow, kEShow, "", "ver show=16" + kShowTail},
    {"Tamlet", kShowPages, kSShow, kEShow, "", "ver show=8" + kShowTail},
    {"Plinth", kShowPages, kSShow, kEShow, "", "ver show=8" + kShowTail},
    {"Gridix", kShowPages, kSShow, kEShow, "", "ver show=32" + kShowTail},
    {"Custom", kG + kC, ">Custom* " + kFull, ">Custom* :2638", ">Custom*", "net"},
    {"GlimraPro",
     kG + "Play:CGlimraProTabDlg; Record:CGlimraProRecTabDlg; Set:CGlimraProSetTabDlg; " + kDtNet +
         kSmtp + kC,
     kS9600, kE2638, kUP, "net time loc user pass reboot ver jack2 ntp dhcp"},
    {"GlimraE",
     kG + "Play:CGlimraETabDlg; Record:CGlimraERecTabDlg; Set:CGlimraESetTabDlg; " + kDtNet +
         kSmtp + kC,
     kS9600, kE2638, kUP, "net time loc user pass reboot ver ntp dhcp"},
    {"Ulmar", kUlmarPages, kS9600, kETwo, "", kNetPlayerCaps},
    {"Framlet", kUlmarPages, kS9600, kETwo, "", kNetPlayerCaps},
};

TEST(CatalogTest, EveryProductIsBuiltAsTabulated) {
    const std::vector<ProductInfo> catalog = BuildCatalog();
    ASSERT_EQ(catalog.size(), kProductCount);
    ASSERT_EQ(kExpected.size(), kProductCount);
    for (size_t i = 0; i < kProductCount; ++i) {
        const ProductInfo& product = catalog[i];
        const ExpectedProduct& expected = kExpected[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(product.Index(), i);
        EXPECT_EQ(product.Name(), expected.name);
        EXPECT_EQ(DescribePages(product), expected.pages);
        EXPECT_EQ(DescribeProtocols(product, kSerial), expected.serial);
        EXPECT_EQ(DescribeProtocols(product, kEthernet), expected.ethernet);
        EXPECT_EQ(DescribeProtocols(product, kUsb), expected.usb);
        EXPECT_EQ(DescribeCaps(product.Caps()), expected.caps);
        EXPECT_EQ(product.CurrentConnection(), kSerial);
    }
}

TEST(CatalogTest, ConnectionsOfferedMatchTheProductLine) {
    const std::vector<ProductInfo> catalog = BuildCatalog();
    const std::vector<uint32_t> withUsb = {21, 22, 23, 30, 31, 32};
    const std::vector<uint32_t> withoutEthernet = {5, 6, 12, 13};
    for (const ProductInfo& product : catalog) {
        SCOPED_TRACE(product.Name());
        const auto listed = [&](const std::vector<uint32_t>& indices) {
            return std::find(indices.begin(), indices.end(), product.Index()) != indices.end();
        };
        EXPECT_TRUE(product.Supports(kSerial));
        EXPECT_EQ(product.Supports(kUsb), listed(withUsb));
        EXPECT_EQ(product.Supports(kEthernet), !listed(withoutEthernet));
        EXPECT_EQ(product.CurrentProtocol(kUsb) != nullptr, listed(withUsb));
    }
}

TEST(CatalogTest, DualEthernetProductsSwitchBetweenPlainAndZelnetPorts) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    for (const char* name :
         {"Sonnel", "Video Reelmast", "A/V Reelmast", "A/V Reelmast HD", "Digital Reelmast",
          "Digital Reelmast HD", "Sorrel", "Tavish", "Ulmar", "Framlet"}) {
        SCOPED_TRACE(name);
        ProductInfo& product = *FindProduct(catalog, name);

        // Only the current connection's list is searched.
        EXPECT_FALSE(product.SelectProtocolByName("Pioneer(ZELNet)"));
        EXPECT_EQ(product.CurrentProtocol(kEthernet)->defaultProductPort, 2638u);

        product.SetCurrentConnection(kEthernet);
        EXPECT_EQ(product.CurrentProtocol()->GetName(), "Pioneer");
        ASSERT_TRUE(product.SelectProtocolByName("Pioneer(ZELNet)"));
        EXPECT_EQ(product.CurrentProtocol()->defaultProductPort, 2639u);
        EXPECT_FALSE(product.SelectProtocolByName("pioneer"));
        EXPECT_EQ(product.CurrentProtocol()->defaultProductPort, 2639u);
        ASSERT_TRUE(product.SelectProtocolByName("Pioneer"));
        EXPECT_EQ(product.CurrentProtocol()->defaultProductPort, 2638u);
        EXPECT_EQ(product.CurrentProtocol(kSerial)->GetName(), "Pioneer");
    }
}

TEST(CatalogTest, ProductWithoutAConnectionHasNoProtocolThere) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    ProductInfo& netwick = *FindProduct(catalog, "Netwick");
    netwick.SetCurrentConnection(kEthernet);
    EXPECT_EQ(netwick.CurrentProtocol(), nullptr);
    EXPECT_FALSE(netwick.SelectProtocolByName("Netwick(Test)"));
    netwick.SetCurrentConnection(kSerial);
    EXPECT_TRUE(netwick.SelectProtocolByName("Netwick(Test)"));
    EXPECT_EQ(netwick.CurrentProtocol(kUnassigned), nullptr);
    EXPECT_TRUE(netwick.Protocols(-1).empty());
}

TEST(ProductInfoTest, TheLastFlaggedEntryIsSelectedElseTheFirst) {
    const auto entry = [](int32_t protocol, bool isDefault) {
        ProtocolInfo info;
        info.protocol = protocol;
        info.connectionType = kEthernet;
        info.isDefault = isDefault;
        return info;
    };
    const ProductInfo product(
        0, "Test", {}, {},
        {std::vector<ProtocolInfo>{entry(kPioneer, false), entry(kMidi, false)},
         std::vector<ProtocolInfo>{entry(kPioneer, false), entry(kPioneerZelnet, true),
                                   entry(kCustomProtocol, true), entry(kMidi, false)},
         std::vector<ProtocolInfo>{}});
    EXPECT_EQ(product.CurrentProtocol(kSerial)->protocol, kPioneer);
    EXPECT_EQ(product.CurrentProtocol(kEthernet)->protocol, kCustomProtocol);
    EXPECT_EQ(product.CurrentProtocol(kUsb), nullptr);
}

TEST(ProtocolInfoTest, NamesByIdAndEmptyForUnknownIds) {
    const std::vector<std::string> names = {"None",           "Pioneer",        "Pioneer(ZELNet)",
                                            "Netwick(Test)",  "Netwick(8-bit)", "Quorvane 8-bit",
                                            "Quorvane 9-bit", "MIDI",           "Custom"};
    for (int32_t id = 0; id < static_cast<int32_t>(names.size()); ++id) {
        EXPECT_EQ(ProtocolName(id), names[static_cast<size_t>(id)]);
    }
    EXPECT_EQ(ProtocolName(-1), "");
    EXPECT_EQ(ProtocolName(9), "");
    const ProtocolInfo blank;
    EXPECT_EQ(blank.GetName(), "None");
    EXPECT_EQ(blank.connectionType, kUnassigned);
}

TEST(CatalogTest, NamesAreSortedByBytesAndFoundExactly) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    EXPECT_EQ(
        SortedProductNames(catalog),
        (std::vector<std::string>{
            "A/V Reelmast", "A/V Reelmast HD", "Ardent",  "Ardent HD",        "Brisca",
            "Brisca-E",     "Canzo",           "Custom",  "Digital Reelmast", "Digital Reelmast HD",
            "Framlet",      "Glimra",          "GlimraE", "GlimraPro",        "Gridix",
            "Korvel",       "Korvex",          "Lumeka",  "Melisk",           "Netwick",
            "Oberin",       "Pavane",          "Pellor",  "Plinth",           "Quelm",
            "Rovant",       "Sonnel",          "Sorrel",  "Tamlet",           "Tamrel",
            "Tamrin",       "Tavish",          "Ulmar",   "Video Reelmast",   "Wrenna"}));

    EXPECT_EQ(FindProduct(catalog, "Ardent HD"), &catalog[3]);
    EXPECT_EQ(FindProduct(catalog, "Korvex")->Index(), 21u);
    EXPECT_EQ(FindProduct(catalog, "korvex"), nullptr);
    EXPECT_EQ(FindProduct(catalog, "Ardent "), nullptr);
    EXPECT_EQ(FindProduct(catalog, ""), nullptr);
}

}  // namespace
}  // namespace zel
