#include "skin/subclass_wnd.h"

#include "framework/ole_exception.h"
#include "framework/window_property.h"
#include "framework/wnd.h"

namespace {

const WindowProperty<CSubclassWnd>& NewestHook() {
    static const WindowProperty<CSubclassWnd> property("Vorn.SkinHook");
    return property;
}

}  // namespace

const CRuntimeClass* CSubclassWnd::GetRuntimeClass() const {
    static const CRuntimeClass info{"CSubclassWnd", CObject::GetRuntimeClass()};
    return &info;
}

CSubclassWnd::~CSubclassWnd() {
    if (m_hTarget) {
        RemoveHook();
        m_hTarget = nullptr;
        m_pfnPrevProc = nullptr;
    }
}

BOOL CSubclassWnd::Install(CWnd* pWnd) {
    return InstallHandle(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

BOOL CSubclassWnd::InstallHandle(HWND hWnd) {
    if (hWnd) {
        AddHook(hWnd);
    } else if (m_hTarget) {
        RemoveHook();
        m_pfnPrevProc = nullptr;
    }
    m_hTarget = hWnd;
    return TRUE;
}

LRESULT CSubclassWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return PassOnMessage(message, wParam, lParam);
}

LRESULT CSubclassWnd::PassOn() {
    const MSG& current = AfxCurrentMessage();
    return PassOnMessage(current.message, current.wParam, current.lParam);
}

LRESULT CSubclassWnd::PassOnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pNext) {
        return m_pNext->HandleMessage(message, wParam, lParam);
    }
    if (m_pfnPrevProc) {
        return CallWindowProcA(m_pfnPrevProc, m_hTarget, message, wParam, lParam);
    }
    return DefWindowProcA(m_hTarget, message, wParam, lParam);
}

CSubclassWnd* CSubclassWnd::FirstHook(HWND hWnd) {
    return NewestHook().Get(hWnd);
}

void CSubclassWnd::AddHook(HWND hWnd) {
    CSubclassWnd* head = FirstHook(hWnd);
    m_pNext = head;
    if (head) {
        m_pfnPrevProc = head->m_pfnPrevProc;
    } else {
        m_pfnPrevProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    }
    NewestHook().Set(hWnd, this);
}

void CSubclassWnd::RemoveHook() {
    CSubclassWnd* head = FirstHook(m_hTarget);
    if (!head) {
        return;
    }
    if (head != this) {
        for (CSubclassWnd* before = head; before; before = before->m_pNext) {
            if (before->m_pNext == this) {
                before->m_pNext = m_pNext;
                break;
            }
        }
    } else if (m_pNext) {
        NewestHook().Set(m_hTarget, m_pNext);
    } else {
        NewestHook().Remove(m_hTarget);
        SetWindowLongPtrA(m_hTarget, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevProc));
    }
    m_pNext = nullptr;
}

LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    AfxMessageScope scope(hWnd, message, wParam, lParam);
    CSubclassWnd* head = CSubclassWnd::FirstHook(hWnd);
    if (!head) {
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        // Every hook comes off first; only the window's own procedure sees it.
        const WNDPROC own = head->m_pfnPrevProc;
        AfxCallGuarded([&] {
            while (CSubclassWnd* hook = CSubclassWnd::FirstHook(hWnd)) hook->InstallHandle(nullptr);
        });
        return own ? CallWindowProcA(own, hWnd, message, wParam, lParam)
                   : DefWindowProcA(hWnd, message, wParam, lParam);
    }
    AfxCallGuarded([&] { result = head->HandleMessage(message, wParam, lParam); });
    return result;
}
