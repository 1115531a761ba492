// What the control asks its host's IDocHostUIHandler (found by QueryInterface
// on the client site), and how it takes the answers.
#include "browser.h"

namespace standin {

namespace {

// The command group the real control names when it asks about keys.
const GUID kCgidMshtml = {0xde4ba900, 0x59ca, 0x11cf, {0x95, 0x92, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

const char* MessageName(UINT msg) {
    switch (msg) {
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_KEYUP: return "WM_KEYUP";
        case WM_CHAR: return "WM_CHAR";
        case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
        case WM_SYSKEYUP: return "WM_SYSKEYUP";
    }
    return "other";
}

}  // namespace

void Browser::AskHostInfo(const char* when) {
    if (!uiHandler_) {
        LogLine(log_.get(), "hostinfo").Str("when", when).Str("handler", "none");
        hostFlags_ = 0;
        return;
    }
    DOCHOSTUIINFO info = {};
    info.cbSize = sizeof info;
    HRESULT hr = uiHandler_->GetHostInfo(&info);
    LogLine(log_.get(), "hostinfo").Str("when", when).Hr(hr).HexValue("flags", info.dwFlags)
        .Int("dblclk", static_cast<long>(info.dwDoubleClick)).Int("cbsize", static_cast<long>(info.cbSize));
    // The CSS and namespace strings belong to the caller: the real control frees them.
    CoTaskMemFree(info.pchHostCss);
    CoTaskMemFree(info.pchHostNS);
    hostFlags_ = SUCCEEDED(hr) ? info.dwFlags : 0;
    ApplyHostStyles();
}

bool Browser::AskContextMenu(POINT screen, DWORD id) {
    if (!uiHandler_) return false;
    HRESULT hr = uiHandler_->ShowContextMenu(id, &screen, nullptr, TopDisp());
    LogLine(log_.get(), "contextmenu").Int("id", static_cast<long>(id)).Int("x", screen.x).Int("y", screen.y).Hr(hr)
        .Str("result", hr == S_OK ? "host-handled" : "control-shows-menu");
    return hr == S_OK;
}

HRESULT Browser::AskTranslateAccelerator(MSG* msg, const char* from) {
    // A key the host already answered for (through IOleInPlaceActiveObject)
    // reaches the window next: it is not asked about twice.
    if (msg->hwnd == lastAsked_.hwnd && msg->message == lastAsked_.message && msg->wParam == lastAsked_.wParam &&
        msg->lParam == lastAsked_.lParam && msg->time == lastAsked_.time)
        return S_FALSE;
    lastAsked_ = *msg;
    if (!uiHandler_) return S_FALSE;
    HRESULT hr = uiHandler_->TranslateAccelerator(msg, &kCgidMshtml, 0);
    LogLine(log_.get(), "translateaccelerator").Str("from", from).Str("msg", MessageName(msg->message))
        .Int("key", static_cast<long>(msg->wParam)).Hr(hr).Str("result", hr == S_OK ? "host-handled" : "control");
    return hr;
}

ComPtr<IDispatch> Browser::AcquireExternal(const std::string& frame) {
    ComPtr<IDispatch> external;
    if (!uiHandler_) {
        LogLine(log_.get(), "external").Str("op", "GetExternal").Str("frame", frame).Str("handler", "none");
        return external;
    }
    HRESULT hr = uiHandler_->GetExternal(external.Out());
    long refs = -1;
    if (SUCCEEDED(hr) && external) {
        // The count the host's object now has: the reference GetExternal gave is ours.
        external->AddRef();
        refs = static_cast<long>(external->Release());
    } else {
        external.Reset();
    }
    LogLine(log_.get(), "external").Str("op", "GetExternal").Str("frame", frame).Hr(hr).Int("refs", refs);
    return external;
}

void Browser::ReleaseExternal(ComPtr<IDispatch>* external, const std::string& frame) {
    IDispatch* p = external->Detach();
    if (!p) return;
    ULONG refs = p->Release();
    LogLine(log_.get(), "external").Str("op", "Release").Str("frame", frame).Int("refs", static_cast<long>(refs));
}

}  // namespace standin
