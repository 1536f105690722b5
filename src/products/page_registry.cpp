#include "products/page_registry.h"

#include "pages/video/reelmast_control_page.h"
#include "pages/video/reelmast_repro_page.h"
#include "pages/video/single_channel_pages.h"
#include "products/pages/smpte_page.h"

namespace zel {

namespace {

template <typename Page>
PageClass Register(std::string name) {
    return {std::move(name), [](IPageHost& host) { return std::make_unique<Page>(host); }};
}

}  // namespace

// The order in which the sheet creates the page objects. A page class joins the list at its
// place when it is written; the catalog's page sets leave out classes not listed here.
const std::vector<PageClass>& PageClasses() {
    static const std::vector<PageClass> kClasses = {
        // CNetworkTabDlg
        // CGeneralTabDlg
        // CCustomTabDlg
        // CQuelmTabDlg
        // CQuelmBanTabDlg
        // CQuelmImgTabDlg
        // CArdentTabDlg
        // CArdentAudioTab
        // CArdentBanTab
        // CArdentImgTab
        // CArdentSchBrowDlg
        Register<COberinTabDlg>("COberinTabDlg"),
        Register<CWrennaTabDlg>("CWrennaTabDlg"),
        // CCanzoTabDlg
        // CBriscaTabDlg
        // CBriscaETabDlg
        // CMeliskTabDlg
        // CPavaneTabDlg
        // CRovantTabDlg
        // CSonnelTabDlg
        // CNetwickTabDlg
        // CGlimraTabDlg
        Register<CReelmastControlTabDlg>("CReelmastControlTabDlg"),
        Register<CReelmastReproTabDlg>("CReelmastReproTabDlg"),
        Register<CSMPTEConfigTabDlg>("CSMPTEConfigTabDlg"),
        Register<CSorrelTabDlg>("CSorrelTabDlg"),
        Register<CTavishTabDlg>("CTavishTabDlg"),
        Register<CUlmarTabDlg>("CUlmarTabDlg"),
        // CKorvexTabDlg
        // CKorvexTabDlg2
        // CKorvexTabDlg3
        // CKorvexTabDlg4
        // CSMTPHTTPTabDlg
        // CShowTabDlg
        // CSchedTabDlg
        // CNotesTabDlg
        // CGlimraProTabDlg
        // CGlimraProRecTabDlg
        // CGlimraProSetTabDlg
        // CGlimraETabDlg
        // CGlimraERecTabDlg
        // CGlimraESetTabDlg
    };
    return kClasses;
}

}  // namespace zel
