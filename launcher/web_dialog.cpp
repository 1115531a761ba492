#include "launcher/web_dialog.h"

#include <exdispid.h>

#include "app/vorn_login_app.h"
#include "app/vorn_login_dlg.h"
#include "browser/external_links.h"
#include "launcher/button_pictures.h"
#include "launcher/game_address.h"
#include "launcher/launcher_layout.h"
#include "launcher/variant_text.h"
#include "res/resource.h"

namespace {

// Everything of this colour is see-through and lets clicks through to the
// main window's picture below.
constexpr COLORREF kLauncherKey = RGB(1, 1, 1);

// Posted by the initialisation: the buttons' tooltip windows are made once the
// launcher shows, not before (nobody can hover a button earlier).
constexpr UINT kAddTooltips = WM_APP + 1;

}  // namespace

CWebDialog::CWebDialog(CWnd* pParent) : CDialogEx(IDD_WEB_DIALOG, pParent), m_crKey(kLauncherKey) {}

CWebDialog::~CWebDialog() = default;

const MessageMap* CWebDialog::GetMessageMap() const {
    static const MessageEntry entries[] = {
        MapMessage(WM_CREATE, &CWebDialog::OnCreate),
        MapMessage(WM_LBUTTONDOWN, &CWebDialog::OnLButtonDown),
        MapMessage(WM_CTLCOLORDLG, &CWebDialog::OnCtlColorDlg),
        MapMessage(WM_PAINT, &CWebDialog::OnPaint),
        MapMessage(kAddTooltips, &CWebDialog::OnAddTooltips),
        MapCommand(IDC_BTN_CLOSE, &CWebDialog::OnBnClickedClose),
        MapCommand(IDC_BTN_MIN, &CWebDialog::OnBnClickedMin),
        MapCommand(IDC_BTN_FORUM, &CWebDialog::OnBnClickedForum),
        MapCommand(IDC_BTN_RECHARGE, &CWebDialog::OnBnClickedRecharge),
        MapCommand(IDC_BTN_HOME, &CWebDialog::OnBnClickedHome),
        MapCommand(IDC_BTN_SERVICE, &CWebDialog::OnBnClickedService),
    };
    static const MessageMap map(CDialogEx::GetMessageMap(), entries);
    return &map;
}

const EventSinkMap* CWebDialog::GetEventSinkMap() const {
    static const EventSinkEntry entries[] = {
        MapEvent(IDC_EXPLORER1, DISPID_NAVIGATECOMPLETE2, &CWebDialog::OnNavigateComplete2),
    };
    static const EventSinkMap map(entries);
    return &map;
}

void CWebDialog::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXPLORER1, m_explorer);
    DDX_Control(pDX, IDC_BTN_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_BTN_MIN, m_btnMin);
    DDX_Control(pDX, IDC_BTN_SERVICE, m_btnService);
    DDX_Control(pDX, IDC_BTN_FORUM, m_btnForum);
    DDX_Control(pDX, IDC_BTN_HOME, m_btnHome);
    DDX_Control(pDX, IDC_BTN_RECHARGE, m_btnRecharge);
}

BOOL CWebDialog::OnInitDialog() {
    CDialogEx::OnInitDialog();
    m_brKey = ScopedGdiObject<HBRUSH>(CreateSolidBrush(m_crKey));
    MakeColourKeyed();
    PlaceButtons();
    ::PostMessageA(m_hWnd, kAddTooltips, 0, 0);

    m_explorer.put_Silent(TRUE);  // no script-error dialogs over the launcher
    const launcher::Placement browser = launcher::kBrowserPlacement;
    m_explorer.SetWindowPos(nullptr, browser.left, browser.top, browser.width, browser.height, SWP_NOZORDER);
    m_explorer.Navigate(theApp.GetPlatformSetting("clientAddr"), nullptr, nullptr, nullptr, nullptr);

    RunUpdateStep();  // may end the process
    return TRUE;
}

void CWebDialog::MakeColourKeyed() {
    ModifyStyleEx(0, WS_EX_LAYERED);
    // Looked up by name: the call is missing from the oldest systems' user32.
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = LoadLibraryA("User32.DLL");
    if (!user32) {
        return;
    }
    auto setLayered = reinterpret_cast<SetLayeredFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    if (setLayered) {
        setLayered(m_hWnd, m_crKey, 0, LWA_COLORKEY);
    }
    FreeLibrary(user32);
}

void CWebDialog::PlaceButtons() {
    for (size_t i = 0; i < launcher::kButtonCount; ++i) {
        const launcher::ButtonLayout& layout = launcher::kButtons[i];
        CMFCButton& button = Button(i);
        button.m_bTransparent = TRUE;
        button.m_bDrawFocus = FALSE;
        // Each distinct picture decoded once: this runs before the launcher shows.
        const HMODULE module = AfxGetInstanceHandle();
        button.SetImage(layout.normalImage, launcher::DistinctPicture(module, layout.hotImage, layout.normalImage),
                        launcher::DistinctPicture(module, layout.disabledImage, layout.normalImage));
        const launcher::Placement& at = layout.placement;
        button.SetWindowPos(nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER);
    }
}

CMFCButton& CWebDialog::Button(size_t index) {
    CMFCButton* buttons[] = {&m_btnClose, &m_btnMin, &m_btnService, &m_btnForum, &m_btnHome, &m_btnRecharge};
    static_assert(sizeof(buttons) / sizeof(buttons[0]) == launcher::kButtonCount, "one field per button");
    return *buttons[index];
}

LRESULT CWebDialog::OnAddTooltips(WPARAM, LPARAM) {
    for (size_t i = 0; i < launcher::kButtonCount; ++i) {
        if (const char* tooltip = launcher::kButtons[i].tooltip) {
            Button(i).SetTooltip(tooltip);
        }
    }
    return 0;
}

void CWebDialog::OnOK() {
    // Enter never ends the launcher.
}

void CWebDialog::OnCancel() {
    // The program is the main window's modal run: ending it ends everything.
    if (theApp.m_pMainDlg) {
        theApp.m_pMainDlg->OnCancel();
    }
}

void CWebDialog::OnBnClickedClose() {
    OnCancel();
}

void CWebDialog::OnBnClickedMin() {
    // The launcher is owned by the main window and is hidden along with it.
    if (theApp.m_pMainDlg) {
        theApp.m_pMainDlg->ShowWindow(SW_SHOWMINIMIZED);
    }
}

void CWebDialog::OnBnClickedForum() {
    links::OpenSitePage(links::SitePage::kForum);
}

void CWebDialog::OnBnClickedRecharge() {
    links::OpenSitePage(links::SitePage::kRecharge);  // placeholders stay: no server chosen yet
}

void CWebDialog::OnBnClickedHome() {
    links::OpenSitePage(links::SitePage::kHome);
}

void CWebDialog::OnBnClickedService() {
    links::OpenSitePage(links::SitePage::kService);
}

LRESULT CWebDialog::OnCreate(WPARAM, LPARAM) {
    if (Default() == -1) {
        return -1;
    }
    ModifyStyle(WS_CAPTION, WS_POPUP);
    return 0;
}

LRESULT CWebDialog::OnLButtonDown(WPARAM, LPARAM) {
    // Drag the window as if by its caption.
    SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION);
    return Default();
}

LRESULT CWebDialog::OnCtlColorDlg(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_brKey.get());
}

LRESULT CWebDialog::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(m_hWnd);  // validates: the key-colour brush painted everything
    return 0;
}

void CWebDialog::OnNavigateComplete2(LPDISPATCH, VARIANT* URL) {
    if (!URL) {
        return;
    }
    const std::string url = launcher::VariantToString(*URL);
    if (!launcher::IsGameAddress(url)) {
        return;
    }
    theApp.EnterGame(CString(url));
    // The main window loads the game page for itself; the hidden launcher stops.
    m_explorer.Stop();
}
