// Persistence and the view object. The persisted state a container hands over
// (a dialog template's control data) is read and logged; the stand-in keeps
// nothing of it but its size. Draw paints the page into the container's DC.
#include "browser.h"

namespace standin {

STDMETHODIMP Browser::GetClassID(CLSID* pClassID) {
    if (!pClassID) return E_POINTER;
    *pClassID = kClsidWebBrowser;
    return S_OK;
}

STDMETHODIMP Browser::Load(LPSTREAM pStm) {
    try {
        if (!pStm) return E_POINTER;
        // Read what is there, up to a bound: the real control reads its own record.
        ULONG total = 0;
        char buf[512];
        for (ULONG n = 0; SUCCEEDED(pStm->Read(buf, sizeof buf, &n)) && n > 0 && total < 65536;) total += n;
        LogLine(log_.get(), "persist").Str("op", "Load").Int("bytes", static_cast<long>(total));
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP Browser::Save(LPSTREAM pStm, BOOL) {
    LogLine(log_.get(), "persist").Str("op", "Save");
    return pStm ? S_OK : E_POINTER;
}

STDMETHODIMP Browser::GetSizeMax(ULARGE_INTEGER* pCbSize) {
    if (!pCbSize) return E_POINTER;
    pCbSize->QuadPart = 0;
    return S_OK;
}

STDMETHODIMP Browser::InitNew() {
    LogLine(log_.get(), "persist").Str("op", "InitNew");
    return S_OK;
}

STDMETHODIMP Browser::Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw, LPCRECTL lprcBounds,
                           LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    try {
        if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (!hdcDraw) return E_INVALIDARG;
        RECT area = {0, 0, pos_.right - pos_.left, pos_.bottom - pos_.top};
        if (lprcBounds) area = {lprcBounds->left, lprcBounds->top, lprcBounds->right, lprcBounds->bottom};
        PaintTo(hdcDraw, area);
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP Browser::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** ppColorSet) {
    if (ppColorSet) *ppColorSet = nullptr;
    return S_FALSE;
}

STDMETHODIMP Browser::Freeze(DWORD, LONG, void*, DWORD* pdwFreeze) {
    if (pdwFreeze) *pdwFreeze = 0;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::SetAdvise(DWORD, DWORD, IAdviseSink* pAdvSink) {
    viewSink_ = pAdvSink;
    return S_OK;
}

STDMETHODIMP Browser::GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink) {
    if (pAspects) *pAspects = DVASPECT_CONTENT;
    if (pAdvf) *pAdvf = 0;
    if (ppAdvSink) viewSink_.CopyTo(ppAdvSink);
    return S_OK;
}

STDMETHODIMP Browser::GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel) {
    return GetExtent(dwDrawAspect, lpsizel);
}

}  // namespace standin
