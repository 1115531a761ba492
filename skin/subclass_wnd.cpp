#include "skin/subclass_wnd.h"

#include "framework/wnd.h"
#include "framework/ole_exception.h"

const CRuntimeClass* CSubclassWnd::GetRuntimeClass() const {
    static const CRuntimeClass info{"CSubclassWnd", CObject::GetRuntimeClass()};
    return &info;
}

CSubclassWnd::~CSubclassWnd() {
    if (m_hTarget) {
        GetSubclassMap().RemoveHook(this);
        m_hTarget = nullptr;
        m_pfnPrevProc = nullptr;
    }
}

BOOL CSubclassWnd::Install(CWnd* pWnd) {
    return InstallHandle(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

BOOL CSubclassWnd::InstallHandle(HWND hWnd) {
    if (hWnd) {
        GetSubclassMap().AddHook(hWnd, this);
    } else if (m_hTarget) {
        GetSubclassMap().RemoveHook(this);
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

CSubclassWnd* CSubclassWndMap::FirstHook(HWND hWnd) const {
    auto it = m_heads.find(hWnd);
    return it == m_heads.end() ? nullptr : it->second;
}

void CSubclassWndMap::AddHook(HWND hWnd, CSubclassWnd* hook) {
    CSubclassWnd* head = FirstHook(hWnd);
    hook->m_pNext = head;
    if (head) {
        hook->m_pfnPrevProc = head->m_pfnPrevProc;
    } else {
        hook->m_pfnPrevProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    }
    m_heads[hWnd] = hook;
}

void CSubclassWndMap::RemoveHook(CSubclassWnd* hook) {
    auto it = m_heads.find(hook->m_hTarget);
    if (it == m_heads.end()) {
        return;
    }
    if (it->second != hook) {
        for (CSubclassWnd* before = it->second; before; before = before->m_pNext) {
            if (before->m_pNext == hook) {
                before->m_pNext = hook->m_pNext;
                break;
            }
        }
    } else if (hook->m_pNext) {
        it->second = hook->m_pNext;
    } else {
        const HWND hWnd = it->first;
        m_heads.erase(it);
        if (IsWindow(hWnd)) {
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->m_pfnPrevProc));
        }
    }
    hook->m_pNext = nullptr;
}

void CSubclassWndMap::RemoveAllHooks(HWND hWnd) {
    while (CSubclassWnd* head = FirstHook(hWnd)) {
        head->InstallHandle(nullptr);
    }
}

CSubclassWndMap& GetSubclassMap() {
    static CSubclassWndMap map;
    return map;
}

LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    AfxMessageScope scope(hWnd, message, wParam, lParam);
    CSubclassWnd* head = GetSubclassMap().FirstHook(hWnd);
    if (!head) {
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        // Every hook comes off first; only the window's own procedure sees it.
        const WNDPROC own = head->m_pfnPrevProc;
        AfxCallGuarded([&] { GetSubclassMap().RemoveAllHooks(hWnd); });
        return own ? CallWindowProcA(own, hWnd, message, wParam, lParam)
                   : DefWindowProcA(hWnd, message, wParam, lParam);
    }
    AfxCallGuarded([&] { result = head->HandleMessage(message, wParam, lParam); });
    return result;
}
