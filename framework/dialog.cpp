// Dialogs from templates, modal and modeless.
//
// A dialog is bound to its object on the first message its dialog procedure
// gets that carries the object: WM_INITDIALOG, whose lParam is the create
// parameter. Until then (WM_SETFONT) the dialog manager's defaults apply.
// From then on every message passes through the layer's window procedure
// first and this procedure answers FALSE to what Default() hands on. The
// dialog manager has sent WM_CREATE before any dialog procedure is called, so
// the layer hands the object its WM_CREATE when it binds it, before
// OnInitDialog; -1 fails the creation as it would there.
//
// A template whose controls include ActiveX controls (class "{clsid}") cannot
// go to the dialog manager as it is: it would look for a window class of that
// name and fail the dialog. So the dialog is created from a copy with
// DS_NOFAILCREATE, which leaves those controls out, and while WM_INITDIALOG is
// handled (before OnInitDialog, so data exchange finds them) the container
// creates each control at its template rectangle (dialog units converted with
// MapDialogRect), with its id and style, at its place in the z-order. Any
// other control missing still fails the dialog, as it would without the flag.
#include "dialog.h"
#include <algorithm>
#include <cstring>
#include "control_site.h"
#include "dialog_template.h"
#include "framework_internal.h"
#include "occ.h"
#include "ole_exception.h"
#include "winapp.h"

namespace {

// What the dialog manager's WM_CREATE carried, as far as the window still tells.
CREATESTRUCTA CreationRecord(HWND hWnd) {
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    return CREATESTRUCTA{nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE)), nullptr,
                         ::GetParent(hWnd), rc.bottom - rc.top, rc.right - rc.left, rc.top, rc.left,
                         GetWindowLongA(hWnd, GWL_STYLE), nullptr, "#32770",
                         static_cast<DWORD>(GetWindowLongA(hWnd, GWL_EXSTYLE))};
}

HWND TopLevel(HWND hWnd) { return hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr; }

// Centres a modal dialog over its visible owner, kept on the work area where it fits.
void CenterOverOwner(HWND hWnd) {
    HWND owner = ::GetWindow(hWnd, GW_OWNER);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT around = work;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = around.left + (around.right - around.left - w) / 2;
    int y = around.top + (around.bottom - around.top - h) / 2;
    if (x + w > work.right) x = work.right - w;
    if (y + h > work.bottom) y = work.bottom - h;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CreateActiveXControls(CWnd* pDialog, const DialogTemplate& dialog) {
    // The template's ordinary controls in creation order: the z-order from the top.
    std::vector<HWND> children;
    for (HWND child = GetWindow(pDialog->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    const auto ordinary = std::count_if(dialog.items.begin(), dialog.items.end(),
                                        [](const TemplateItem& item) { return !item.IsActiveX(); });
    if (children.size() != static_cast<size_t>(ordinary)) return false;
    size_t ordinaryBefore = 0;
    for (const TemplateItem& item : dialog.items) {
        if (!item.IsActiveX()) {
            ++ordinaryBefore;
            continue;
        }
        CLSID clsid{};
        if (!item.ClassId(&clsid)) return false;
        RECT rc = {item.x, item.y, item.x + item.cx, item.y + item.cy};
        MapDialogRect(pDialog->m_hWnd, &rc);
        CString name(item.title.isOrdinal ? L"" : item.title.text.c_str());
        COleControlSite* site = pDialog->ControlContainer().CreateControl(
            nullptr, clsid, name, item.style, rc, static_cast<UINT>(item.id));
        if (!site) return false;
        HWND after = ordinaryBefore == 0 ? HWND_TOP
                     : ordinaryBefore <= children.size() ? children[ordinaryBefore - 1] : HWND_BOTTOM;
        ::SetWindowPos(site->m_hWnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

const CRuntimeClass* CDialog::GetRuntimeClass() const {
    static const CRuntimeClass info{"CDialog", CWnd::GetRuntimeClass()};
    return &info;
}

const CRuntimeClass* CDialogEx::GetRuntimeClass() const {
    static const CRuntimeClass info{"CDialogEx", CDialog::GetRuntimeClass()};
    return &info;
}

const MessageMap* CDialog::GetMessageMap() const {
    static const MessageEntry entries[] = {
        MapCommand(IDOK, &CDialog::OnOK),
        MapCommand(IDCANCEL, &CDialog::OnCancel),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

bool CDialog::CreateFromTemplate(HWND hWndOwner) {
    if (m_hWnd) return false;   // one window per object
    RegisterFrameworkClasses();
    HINSTANCE module = AfxGetInstanceHandle();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes) return false;

    const DWORD size = SizeofResource(module, found);
    DialogTemplate original;   // all items, for the positions and the z-order
    if (!ParseDialogTemplate(bytes, size, &original)) return false;
    const bool hasActiveX = std::any_of(original.items.begin(), original.items.end(),
                                        [](const TemplateItem& item) { return item.IsActiveX(); });
    if (hasActiveX && !AfxGetOccManager()) return false;
    std::vector<DWORD> copy;   // DWORD-aligned, as the dialog manager wants
    const void* dialogTemplate = bytes;
    if (hasActiveX) {
        copy.resize((size + 3) / 4);
        memcpy(copy.data(), bytes, size);
        const DWORD style = original.style | DS_NOFAILCREATE;
        memcpy(reinterpret_cast<BYTE*>(copy.data()) + (original.extended ? 12 : 0), &style, sizeof style);
        dialogTemplate = copy.data();
        m_pActiveXTemplate = &original;
    }

    HWND hWnd = CreateDialogIndirectParamA(module, static_cast<LPCDLGTEMPLATEA>(dialogTemplate), hWndOwner,
                                           DialogProc, reinterpret_cast<LPARAM>(this));
    m_pActiveXTemplate = nullptr;
    return hWnd != nullptr && m_hWnd == hWnd;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd)) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || dialog->m_hWnd) return FALSE;
    dialog->Subclass(hWnd);
    CREATESTRUCTA creation = CreationRecord(hWnd);
    if (CallWindowProcA(FrameworkWindowProc, hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&creation)) == -1) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return CallWindowProcA(FrameworkWindowProc, hWnd, WM_INITDIALOG, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return HandleInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::HandleInitDialog() {
    const DialogTemplate* activeX = m_pActiveXTemplate;
    m_pActiveXTemplate = nullptr;
    if (activeX && !CreateActiveXControls(this, *activeX)) {
        // Failing creation, as with a control class that is not registered.
        m_nModalResult = -1;
        m_bEndModal = true;
        ::DestroyWindow(m_hWnd);
        return FALSE;
    }
    if (m_bModal && ::GetWindow(m_hWnd, GW_OWNER)) CenterOverOwner(m_hWnd);
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_bModal) {
        m_bEndModal = true;
        // Wake the modal loop if the call came from outside a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ShowWindow(SW_HIDE);
    }
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd ? TopLevel(m_pParentWnd->m_hWnd) : nullptr;
    CWinApp* app = AfxGetApp();
    if (!owner && app && app->m_pMainWnd && app->m_pMainWnd != this) owner = TopLevel(app->m_pMainWnd->m_hWnd);
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    m_bModal = true;
    m_bEndModal = false;
    m_nModalResult = -1;
    if (CreateFromTemplate(owner) && m_hWnd) {
        if (!m_bEndModal && !::IsWindowVisible(m_hWnd)) ShowWindow(SW_SHOWNORMAL);
        RunMessageLoop([this] { return m_bEndModal || !m_hWnd; });
        if (m_hWnd) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    // The owner is enabled before the dialog goes, so activation returns to it.
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    DestroyWindow();
    m_bModal = false;
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : nullptr) ? TRUE : FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    const UINT m = pMsg->message;
    const bool key = m >= WM_KEYFIRST && m <= WM_KEYLAST;
    const bool mouse = m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
    if (!key && !mouse) return FALSE;
    if (key && m_pCtrlCont && m_pCtrlCont->PreTranslateKey(pMsg)) return TRUE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
