#include "app/vorn_login_dlg.h"

#include "app/main_window_geometry.h"
#include "app/game_window.h"
#include "app/vorn_login_app.h"
#include "owners/gdi_owners.h"
#include "launcher/web_dialog.h"
#include "resource.h"

namespace {

// SC_MOVE with the caption hit code: the system's move loop, as if the
// caption had been dragged.
constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;

}  // namespace

CVorn_LoginDlg::CVorn_LoginDlg(CWnd* pParent) : CDialogEx(IDD, pParent) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

const MessageMap* CVorn_LoginDlg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        MapMessage(WM_PAINT, &CVorn_LoginDlg::OnPaint),
        MapMessage(WM_QUERYDRAGICON, &CVorn_LoginDlg::OnQueryDragIcon),
        MapMessage(WM_SIZE, &CVorn_LoginDlg::OnSize),
        MapMessage(WM_CREATE, &CVorn_LoginDlg::OnCreate),
        MapMessage(WM_MOVE, &CVorn_LoginDlg::OnMove),
        MapMessage(WM_GETMINMAXINFO, &CVorn_LoginDlg::OnGetMinMaxInfo),
        MapMessage(WM_ERASEBKGND, &CVorn_LoginDlg::OnEraseBkgnd),
        MapMessage(WM_LBUTTONDOWN, &CVorn_LoginDlg::OnLButtonDown),
        MapMessage(WM_HOTKEY, &CVorn_LoginDlg::OnHotKey),
        MapMessage(kTrayCallbackMessage, &CVorn_LoginDlg::OnTrayNotify),
        MapMessage(WM_DESTROY, &CVorn_LoginDlg::OnDestroy),
        MapCommand(ID_MENU_REFRESH, &CVorn_LoginDlg::OnMenuRefresh),
        MapCommand(ID_MENU_CLEAR_CACHE, &CVorn_LoginDlg::OnMenuClearCache),
        MapCommand(ID_MENU_BOSS_KEY, &CVorn_LoginDlg::OnMenuBossKey),
    };
    static const MessageMap map(CDialogEx::GetMessageMap(), entries);
    return &map;
}

void CVorn_LoginDlg::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXPLORER1, m_explorer);
}

BOOL CVorn_LoginDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    RECT rc;
    GetWindowRect(&rc);
    theApp.ShowLayeredImage(theApp.m_pBackImage.get(), theApp.m_nBackWidth, theApp.m_nBackHeight, this);

    // The launcher, created here and nowhere else. Its initialisation navigates
    // its browser and runs the update step, which may end the process. The
    // object is never deleted: its window goes with this one's.
    theApp.m_pWebDlg = new CWebDialog(this);
    theApp.m_pWebDlg->Create(IDD_WEB_DIALOG, this);
    if (CDialogEx* launcher = theApp.m_pWebDlg) {
        POINT origin = LauncherInitialOrigin(rc);
        launcher->MoveWindow(origin.x, origin.y, static_cast<int>(theApp.m_nBackWidth),
                             static_cast<int>(theApp.m_nBackHeight), TRUE);
        launcher->ShowWindow(SW_SHOW);
    }
    ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CVorn_LoginDlg::OnOK() {}

BOOL CVorn_LoginDlg::PreTranslateMessage(MSG* pMsg) {
    // F5 in the game phase; the table is loaded when the game starts.
    if (m_hAccel && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg)) return TRUE;
    // No dialog keyboard handling here (CWnd's, not CDialog's): Tab, Enter
    // and Escape go on to the focused browser and never become a cancel.
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CVorn_LoginDlg::OnCreate(WPARAM, LPARAM) {
    const int width = static_cast<int>(theApp.m_nBackWidth);
    const int height = static_cast<int>(theApp.m_nBackHeight);
    ModifyStyle(WS_CAPTION, WS_POPUP);
    MoveWindow(0, 0, width, height);

    // Centred by the adjusted client size: with the dialog frame the template
    // still implies, the window lands a little right of and below the centre.
    RECT client;
    GetClientRect(&client);
    AdjustWindowRect(&client, GetStyle(), FALSE);
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    POINT origin = CentredOrigin(work, client.right - client.left, client.bottom - client.top);

    if (Default() == -1) {
        return -1;
    }
    MoveWindow(origin.x, origin.y, width, height, TRUE);
    return 0;
}

LRESULT CVorn_LoginDlg::OnMove(WPARAM, LPARAM lParam) {
    // The hidden launcher of the game phase is moved along as well.
    if (CDialogEx* launcher = theApp.m_pWebDlg) {
        POINT to = LauncherFollowOrigin(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        launcher->SetWindowPos(nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    return Default();
}

LRESULT CVorn_LoginDlg::OnSize(WPARAM, LPARAM) {
    LRESULT result = Default();
    if (m_bInGame && m_explorer.GetSafeHwnd()) {
        RECT client;
        GetClientRect(&client);
        m_explorer.SetWindowPos(nullptr, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }
    return result;
}

LRESULT CVorn_LoginDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
    ApplyMinimumTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
    return Default();
}

LRESULT CVorn_LoginDlg::OnEraseBkgnd(WPARAM, LPARAM) {
    return TRUE;  // the layered picture is the whole appearance
}

LRESULT CVorn_LoginDlg::OnLButtonDown(WPARAM, LPARAM) {
    SendMessage(WM_SYSCOMMAND, kDragMove, 0);
    return Default();
}

LRESULT CVorn_LoginDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT CVorn_LoginDlg::OnPaint(WPARAM, LPARAM) {
    if (!IsIconic()) {
        return Default();
    }
    ScopedPaint paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.get()), 0);
    RECT client;
    GetClientRect(&client);
    POINT at = MinimisedIconOrigin(client, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(paint.get(), at.x, at.y, m_hIcon);
    return 0;
}
