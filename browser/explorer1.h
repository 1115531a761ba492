// CExplorer1: the window object through which a window drives its WebBrowser
// control. The control comes from the dialog template (id 1001) and is bound
// to the wrapper by data exchange; without a control every call does nothing.
#pragma once

#include "framework.h"

class CExplorer1 : public CWnd {
public:
    CExplorer1() = default;
    ~CExplorer1() override;

    // The platform's WebBrowser control.
    static const CLSID& GetClsid();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);

    // IWebBrowser2 through dispatch. A failing call throws the framework's
    // automation exception, which its message dispatch reports.
    void Navigate(LPCTSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers);
    void Refresh();
    void Stop();
    void put_Silent(BOOL bNewValue);
};
