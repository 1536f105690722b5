#include "pages/page_registry.h"

#include "pages/audio/brisca_tab_dlg.h"
#include "pages/audio/canzo_tab_dlg.h"
#include "pages/audio/mp3_pages.h"
#include "pages/audio/sonnel_tab_dlg.h"
#include "pages/common/custom_page.h"
#include "pages/common/general_page.h"
#include "pages/common/network_page.h"
#include "pages/common/notes_page.h"
#include "pages/common/sched_page.h"
#include "pages/common/smpte_page.h"
#include "pages/common/smtp_http_page.h"
#include "pages/lighting/glimra_play_page.h"
#include "pages/lighting/glimra_record_page.h"
#include "pages/lighting/glimra_set_page.h"
#include "pages/lighting/glimra_tab_dlg.h"
#include "pages/show/korvex_tab_dlg.h"
#include "pages/show/korvex_tab_dlg2.h"
#include "pages/show/korvex_tab_dlg3.h"
#include "pages/show/korvex_tab_dlg4.h"
#include "pages/show/netwick_page.h"
#include "pages/show/show_page.h"
#include "pages/video/ardent_audio_tab.h"
#include "pages/video/ardent_ban_tab.h"
#include "pages/video/ardent_img_tab.h"
#include "pages/video/ardent_sch_brow_dlg.h"
#include "pages/video/ardent_tab_dlg.h"
#include "pages/video/quelm_ban_tab_dlg.h"
#include "pages/video/quelm_img_tab_dlg.h"
#include "pages/video/quelm_tab_dlg.h"
#include "pages/video/reelmast_control_page.h"
#include "pages/video/reelmast_repro_page.h"
#include "pages/video/single_channel_pages.h"

namespace zel {

namespace {

template <typename Page>
PageClass Register(std::string name) {
    return {std::move(name), [](IPageHost& host) { return std::make_unique<Page>(host); },
            typeid(Page)};
}

}  // namespace

// The order in which the sheet creates the page objects. A page class joins the list at its
// place when it is written; the catalog's page sets leave out classes not listed here.
const std::vector<PageClass>& PageClasses() {
    static const std::vector<PageClass> kClasses = {
        Register<CNetworkTabDlg>("CNetworkTabDlg"),
        Register<CGeneralTabDlg>("CGeneralTabDlg"),
        Register<CCustomTabDlg>("CCustomTabDlg"),
        Register<CQuelmTabDlg>("CQuelmTabDlg"),
        Register<CQuelmBanTabDlg>("CQuelmBanTabDlg"),
        Register<CQuelmImgTabDlg>("CQuelmImgTabDlg"),
        Register<CArdentTabDlg>("CArdentTabDlg"),
        Register<CArdentAudioTab>("CArdentAudioTab"),
        Register<CArdentBanTab>("CArdentBanTab"),
        Register<CArdentImgTab>("CArdentImgTab"),
        Register<CArdentSchBrowDlg>("CArdentSchBrowDlg"),
        Register<COberinTabDlg>("COberinTabDlg"),
        Register<CWrennaTabDlg>("CWrennaTabDlg"),
        Register<CCanzoTabDlg>("CCanzoTabDlg"),
        Register<CBriscaTabDlg>("CBriscaTabDlg"),
        Register<CBriscaETabDlg>("CBriscaETabDlg"),
        Register<CMeliskTabDlg>("CMeliskTabDlg"),
        Register<CPavaneTabDlg>("CPavaneTabDlg"),
        Register<CRovantTabDlg>("CRovantTabDlg"),
        Register<CSonnelTabDlg>("CSonnelTabDlg"),
        Register<CNetwickTabDlg>("CNetwickTabDlg"),
        Register<CGlimraTabDlg>("CGlimraTabDlg"),
        Register<CReelmastControlTabDlg>("CReelmastControlTabDlg"),
        Register<CReelmastReproTabDlg>("CReelmastReproTabDlg"),
        Register<CSMPTEConfigTabDlg>("CSMPTEConfigTabDlg"),
        Register<CSorrelTabDlg>("CSorrelTabDlg"),
        Register<CTavishTabDlg>("CTavishTabDlg"),
        Register<CUlmarTabDlg>("CUlmarTabDlg"),
        Register<CKorvexTabDlg>("CKorvexTabDlg"),
        Register<CKorvexTabDlg2>("CKorvexTabDlg2"),
        Register<CKorvexTabDlg3>("CKorvexTabDlg3"),
        Register<CKorvexTabDlg4>("CKorvexTabDlg4"),
        Register<CSMTPHTTPTabDlg>("CSMTPHTTPTabDlg"),
        Register<CShowTabDlg>("CShowTabDlg"),
        Register<CSchedTabDlg>("CSchedTabDlg"),
        Register<CNotesTabDlg>("CNotesTabDlg"),
        Register<CGlimraProTabDlg>("CGlimraProTabDlg"),
        Register<CGlimraProRecTabDlg>("CGlimraProRecTabDlg"),
        Register<CGlimraProSetTabDlg>("CGlimraProSetTabDlg"),
        Register<CGlimraETabDlg>("CGlimraETabDlg"),
        Register<CGlimraERecTabDlg>("CGlimraERecTabDlg"),
        Register<CGlimraESetTabDlg>("CGlimraESetTabDlg"),
    };
    return kClasses;
}

const PageClass* ClassOf(const CPage& page) {
    const std::type_index type = typeid(page);
    for (const PageClass& pageClass : PageClasses()) {
        if (pageClass.type == type) return &pageClass;
    }
    return nullptr;
}

}  // namespace zel
