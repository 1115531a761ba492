// Window subclassing hooks. A hook object takes over the message handling of
// an existing window without the window's class knowing: the window's
// procedure becomes SubclassProc, which hands each message to the window's
// newest hook; a hook handles it or passes it on to the next older hook and
// finally to the window's own procedure. At WM_NCDESTROY every hook comes off
// before the window's own procedure sees the message. The window carries its
// newest hook as a window property; each hook knows the next older one.
#pragma once

#include "framework/wnd.h"

class CSubclassWnd : public CObject {
public:
    CSubclassWnd() = default;
    // Takes the hook off its window if it is still on one.
    ~CSubclassWnd() override;
    const CRuntimeClass* GetRuntimeClass() const override;
    CSubclassWnd(const CSubclassWnd&) = delete;
    CSubclassWnd& operator=(const CSubclassWnd&) = delete;

    // Hooks the object's window (none: takes the hook off).
    virtual BOOL Install(CWnd* pWnd);
    // Hooks window as its newest hook; null takes the hook off. TRUE always.
    virtual BOOL InstallHandle(HWND hWnd);
    virtual BOOL IsInstalled() const { return m_hTarget != nullptr; }
    // One message; the base passes it on.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled on, as the base HandleMessage does
    // (never an override), so an override can forward its own message even
    // after sending others.
    LRESULT PassOn();

    HWND m_hTarget = nullptr;
    // The window's procedure before its first hook; shared by all its hooks.
    WNDPROC m_pfnPrevProc = nullptr;
    // The next older hook of the same window.
    CSubclassWnd* m_pNext = nullptr;

    // The window's newest hook, or null.
    static CSubclassWnd* FirstHook(HWND hWnd);

private:
    LRESULT PassOnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Makes this the window's newest hook; the first hook of a window
    // replaces its procedure with SubclassProc.
    void AddHook(HWND hWnd);
    // Takes this out of its window's chain; the last one gives the window its
    // own procedure back.
    void RemoveHook();
};

// The window procedure of every hooked window.
LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
