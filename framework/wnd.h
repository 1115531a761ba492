// CWnd: a window object bound to one window handle.
//
// The binding is made once: when a dialog the framework creates gets its
// first message that carries the object (WM_INITDIALOG), when an existing
// window is subclassed (controls bound by data exchange) or when a hosted
// ActiveX control's window is attached. The window carries its object as a
// window property (window_property.h); FromHandlePermanent reads it.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <memory>
#include "cstring.h"
#include "event_sink.h"
#include "message_map.h"

// Run-time class information: a class's name and its base's.
//   const CRuntimeClass* CWebDialog::GetRuntimeClass() const {
//       static const CRuntimeClass info{"CWebDialog", CDialogEx::GetRuntimeClass()};
//       return &info;
//   }
struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
};

class CDataExchange;
class COleControlSite;
class COleControlContainer;
class CCreateContext;   // passed through Create by callers, never used

class CWnd : public CObject {
public:
    CWnd();
    ~CWnd() override;
    const CRuntimeClass* GetRuntimeClass() const override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to a handle, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Binding.
    BOOL SubclassWindow(HWND hWnd);
    BOOL DestroyWindow();

    // The framework's default handling of the current message.
    LRESULT Default();

    // Called for every message the message loop takes, first for the target
    // window's object, then for each parent's; TRUE stops it (no dispatch).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // WM_COMMAND routing: the class's command entries; TRUE if one handled it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Styles and placement.
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    void SetFocus();
    void Invalidate(BOOL bErase = TRUE);

    // Text and icons.
    void SetWindowText(LPCTSTR lpszString);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // A null caption means the application's name.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // ActiveX: the control site of a hosted control bound to this object, and
    // the container of the controls this window hosts.
    COleControlSite* m_pCtrlSite = nullptr;
    std::unique_ptr<COleControlContainer> m_pCtrlCont;
    // The container, made when the first control is hosted here.
    COleControlContainer& ControlContainer();
    // Tears the hosted controls down while their windows still exist.
    void DestroyControlContainer();

    // Creates an ActiveX control as a child of pParentWnd and binds it here.
    BOOL CreateControl(REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID);

    // Automation call on the bound control (see dispatch_call.h for the
    // descriptor bytes). Does nothing without a control; throws COleException
    // or COleDispatchException when Invoke fails.
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                      const BYTE* pbParamInfo, ...);

    // The class's tables (message_map.h, event_sink.h).
    virtual const MessageMap* GetMessageMap() const;
    virtual const EventSinkMap* GetEventSinkMap() const;

    // Owner-drawn controls: the parent hands WM_DRAWITEM to the control's object.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    // All messages of a bound window pass through here; the default looks the
    // message up in the tables and falls back to Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // After SubclassWindow bound the window, before its next message.
    virtual void PreSubclassWindow();

    WNDPROC m_pfnSuper = nullptr;   // the window's procedure before binding

private:
    friend class CDialog;
    friend class COleControlSite;
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);

    bool HandleFromTables(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Binds the object to the window; Subclass also sends the window's
    // messages through the layer's window procedure.
    void Bind(HWND hWnd);
    void Subclass(HWND hWnd);
    void Unbind();
};

// Runs the message loop's pre-translation and dispatch for one message.
void AfxPumpMessage(MSG& msg);

// The thread's record of the message being handled, which the layer's window
// procedure sets and restores around each dispatch and Default() reads. A
// hook that replaces a window's procedure does the same with AfxMessageScope.
MSG& AfxCurrentMessage();

// Sets the thread's record to one message for the length of its dispatch and
// restores the whole earlier record afterwards, so a handler that sends
// messages finds its own in the record again.
class AfxMessageScope {
public:
    AfxMessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    ~AfxMessageScope();
    AfxMessageScope(const AfxMessageScope&) = delete;
    AfxMessageScope& operator=(const AfxMessageScope&) = delete;

private:
    MSG m_saved;
};
