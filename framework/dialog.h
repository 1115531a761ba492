// Dialogs from resource templates: modal (DoModal, with the layer's own
// message loop, so pre-translation runs) and modeless (Create).
#pragma once
#include "wnd.h"

struct DialogTemplate;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds rControl to the dialog's control nIDC, once: a hosted ActiveX control
// gives rControl its window and its control site; any other control is
// subclassed so rControl's message table sees its messages.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;
    const CRuntimeClass* GetRuntimeClass() const override;

    // Disables the owner (the parent, else the application's main window)
    // while the dialog runs; returns EndDialog's result, or -1 if the dialog
    // could not be created.
    virtual INT_PTR DoModal();
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // The base binds the controls (UpdateData(FALSE)) and returns TRUE.
    virtual BOOL OnInitDialog();
    // The base takes the data (UpdateData(TRUE)) and ends with IDOK.
    virtual void OnOK();
    // The base ends with IDCANCEL.
    virtual void OnCancel();
    void EndDialog(int nResult);

    // Keyboard handling of a dialog: the hosted control's accelerators, then
    // IsDialogMessage (Tab, Enter -> IDOK, Escape -> IDCANCEL).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    const MessageMap* GetMessageMap() const override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateFromTemplate(HWND hWndOwner);
    BOOL HandleInitDialog();

    // While the dialog is created: the template whose ActiveX controls the
    // layer creates at WM_INITDIALOG.
    const DialogTemplate* m_pActiveXTemplate = nullptr;
    bool m_bModal = false;
    bool m_bEndModal = false;
    int m_nModalResult = -1;
};

// The same dialog; the visual extras of its namesake are not needed here.
class CDialogEx : public CDialog {
public:
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
    const CRuntimeClass* GetRuntimeClass() const override;
};
