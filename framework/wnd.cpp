// Binding of window objects to handles, the layer's window procedure and the
// message tables.
#include "wnd.h"
#include "control_site.h"
#include "framework_internal.h"
#include "occ.h"
#include "ole_exception.h"
#include "window_property.h"

namespace {

// Each bound window carries its object; there is no map from handle to object.
const WindowProperty<CWnd>& BoundObject() {
    static const WindowProperty<CWnd> property("Vorn.CWnd");
    return property;
}

thread_local MSG t_currentMessage{};

}  // namespace

LRESULT CALLBACK FrameworkWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) return DefWindowProcA(hWnd, message, wParam, lParam);
    AfxMessageScope scope(hWnd, message, wParam, lParam);
    LRESULT result = 0;
    AfxCallGuarded([&] { result = pWnd->WindowProc(message, wParam, lParam); });
    if (message == WM_DESTROY) {
        // The control windows still exist here; at WM_NCDESTROY they are gone.
        pWnd->DestroyControlContainer();
    }
    if (message == WM_NCDESTROY) pWnd->Unbind();
    return result;
}

CWnd::CWnd() = default;

COleControlContainer& CWnd::ControlContainer() {
    if (!m_pCtrlCont) m_pCtrlCont = std::make_unique<COleControlContainer>(this);
    return *m_pCtrlCont;
}

void CWnd::DestroyControlContainer() {
    if (!m_pCtrlCont) return;
    AfxCallGuarded([&] { m_pCtrlCont->DestroyControls(); });
    m_pCtrlCont.reset();
}

CWnd::~CWnd() {
    DestroyControlContainer();
    if (m_pCtrlSite) {
        // The control belongs to its site; the site's teardown ends it.
        m_pCtrlSite->m_pWndCtrl = nullptr;
        m_pCtrlSite = nullptr;
        Unbind();
    } else if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        HWND hWnd = m_hWnd;
        Unbind();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return BoundObject().Get(hWnd); }

void CWnd::Bind(HWND hWnd) {
    m_hWnd = hWnd;
    BoundObject().Set(hWnd, this);
}

void CWnd::Unbind() {
    if (!m_hWnd) return;
    if (FromHandlePermanent(m_hWnd) == this) BoundObject().Remove(m_hWnd);
    if (m_pfnSuper && IsWindow(m_hWnd) &&
        GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FrameworkWindowProc)) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
}

void CWnd::Subclass(HWND hWnd) {
    Bind(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd)) return FALSE;
    Subclass(hWnd);
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND hWnd = m_hWnd;
    BOOL ok = ::DestroyWindow(hWnd);
    // Windows the layer does not subclass never show us WM_NCDESTROY.
    if (m_hWnd == hWnd && !IsWindow(hWnd)) Unbind();
    return ok;
}

MSG& AfxCurrentMessage() { return t_currentMessage; }

AfxMessageScope::AfxMessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    : m_saved(t_currentMessage) {
    t_currentMessage.hwnd = hWnd;
    t_currentMessage.message = message;
    t_currentMessage.wParam = wParam;
    t_currentMessage.lParam = lParam;
}

AfxMessageScope::~AfxMessageScope() { t_currentMessage = m_saved; }

const CRuntimeClass* CObject::GetRuntimeClass() const {
    static const CRuntimeClass info{"CObject", nullptr};
    return &info;
}

const CRuntimeClass* CWnd::GetRuntimeClass() const {
    static const CRuntimeClass info{"CWnd", CObject::GetRuntimeClass()};
    return &info;
}

LRESULT CWnd::Default() {
    const MSG& m = t_currentMessage;
    if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, m.message, m.wParam, m.lParam);
    return DefWindowProcA(m_hWnd, m.message, m.wParam, m.lParam);
}

const MessageMap* CWnd::GetMessageMap() const {
    static const MessageMap map(nullptr);
    return &map;
}

const EventSinkMap* CWnd::GetEventSinkMap() const { return nullptr; }

bool CWnd::HandleFromTables(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (entry.onMessage && entry.message == message) {
                *result = (this->*entry.onMessage)(wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    // Menus send code 0, accelerators 1, both without a control window.
    if (lParam != 0 && HIWORD(wParam) != BN_CLICKED) return FALSE;
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (entry.onCommand && entry.commandId == id) {
                (this->*entry.onCommand)();
                return TRUE;
            }
        }
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) return 0;
    } else if (HandleFromTables(message, wParam, lParam, &result)) {
        return result;
    } else if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        CWnd* pControl = item && item->CtlType != ODT_MENU ? FromHandlePermanent(item->hwndItem) : nullptr;
        if (pControl) {
            pControl->DrawItem(item);
            return TRUE;
        }
    }
    return Default();
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
void CWnd::DoDataExchange(CDataExchange*) {}
void CWnd::DrawItem(LPDRAWITEMSTRUCT) {}
void CWnd::PreSubclassWindow() {}
