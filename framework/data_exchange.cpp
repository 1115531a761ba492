#include "control_site.h"
#include "dialog.h"
#include "occ.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    // Bound once; later exchanges leave the binding as it is.
    if (!pDX || !pDX->m_pDlgWnd || rControl.m_hWnd) return;
    CWnd* pDialog = pDX->m_pDlgWnd;
    if (pDialog->m_pCtrlCont) {
        if (COleControlSite* site = pDialog->m_pCtrlCont->FindItem(static_cast<UINT>(nIDC))) {
            site->AttachWindow(&rControl);
            return;
        }
    }
    rControl.SubclassWindow(::GetDlgItem(pDialog->m_hWnd, nIDC));
}
