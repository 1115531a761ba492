#include "progress_window.h"

#include <commctrl.h>

#include "texts.h"
#include "update_job.h"

namespace brisvane {

namespace {

constexpr char kClassName[] = "BrisvaneProgress";
constexpr char kTitle[] = "Arvendel登陆器 - 更新";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 100;
constexpr int kClientWidth = 440;
constexpr int kClientHeight = 186;

struct ControlPlace {
    int id;
    const char* className;
    DWORD style;
    int x, y, width, height;
    const char* text;
    bool bar;
};

const ControlPlace kControls[] = {
    {kStatusText, "STATIC", SS_LEFTNOWORDWRAP, 16, 14, 408, 20, "", false},
    {kFileText, "STATIC", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, 16, 40, 408, 18, "", false},
    {kFileBar, PROGRESS_CLASSA, PBS_SMOOTH, 16, 62, 408, 16, "", true},
    {kTotalBar, PROGRESS_CLASSA, PBS_SMOOTH, 16, 88, 408, 16, "", true},
    {kAmountText, "STATIC", SS_LEFTNOWORDWRAP, 16, 112, 408, 18, "", false},
    {kRetryButton, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 232, 144, 92, 28, "重试", false},
    {kCancelButton, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 332, 144, 92, 28, "取消", false},
};

HFONT MessageFont() {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

}  // namespace

CProgressWindow::~CProgressWindow() {
    m_bCancel = true;
    JoinWorker();
    if (m_hFont) DeleteObject(m_hFont);
}

bool CProgressWindow::Run(HINSTANCE instance, int show) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(128));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    if (!CreateWindowExA(0, kClassName, kTitle, style, x, y, width, height, nullptr, nullptr,
                         instance, this))
        return false;
    ShowWindow(m_hWnd, show);
    StartAttempt();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(m_hWnd, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    JoinWorker();
    return m_bSucceeded;
}

LRESULT CALLBACK CProgressWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<CProgressWindow*>(create->lpCreateParams);
        self->m_hWnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CProgressWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's frames.
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CProgressWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_TIMER:
            OnTimer();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kRetryButton) StartAttempt();
            if (LOWORD(wParam) == kCancelButton) OnCancel();
            return 0;
        case WM_CLOSE:
            OnCancel();
            return 0;
        case WM_DESTROY:
            KillTimer(m_hWnd, kTimerId);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CProgressWindow::OnCreate() {
    m_hFont = MessageFont();
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_hWnd, GWLP_HINSTANCE));
    for (const ControlPlace& place : kControls) {
        HWND control = CreateWindowExA(0, place.className, place.text,
                                       WS_CHILD | WS_VISIBLE | place.style, place.x, place.y, place.width, place.height, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                                       instance, nullptr);
        if (m_hFont) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        if (place.bar) SendMessageA(control, PBM_SETRANGE32, 0, 1000);
    }
    ShowWindow(GetDlgItem(m_hWnd, kRetryButton), SW_HIDE);
    SetTimer(m_hWnd, kTimerId, kTimerMs, nullptr);
}

void CProgressWindow::StartAttempt() {
    JoinWorker();
    m_bCancel = false;
    m_bAttemptOver = false;
    m_bFailed = false;
    m_state.Change([](Progress& p) { p = Progress(); });
    m_nAttemptStart = GetTickCount64();
    ShowWindow(GetDlgItem(m_hWnd, kRetryButton), SW_HIDE);
    SetText(kCancelButton, "取消");
    m_worker = std::thread([this] {
        try {
            RunUpdate(&m_state, m_bCancel);
        } catch (...) {
            m_state.Change([](Progress& p) {
                p.phase = Phase::kFailed;
                p.failure = Failure(Outcome::kWriteFailed);
            });
        }
        m_bAttemptOver = true;
    });
}

void CProgressWindow::JoinWorker() {
    if (m_worker.joinable()) m_worker.join();
}

void CProgressWindow::OnTimer() {
    if (m_bFailed) return;
    // Whether the attempt is over is read before its progress: a snapshot
    // taken first could predate the attempt's last change.
    const bool over = m_bAttemptOver;
    if (over) JoinWorker();
    const Progress progress = m_state.Snapshot();
    SetText(kStatusText, StatusText(progress));
    SetText(kFileText, FileText(progress));
    SendDlgItemMessageA(m_hWnd, kFileBar, PBM_SETPOS, Permille(progress.fileBytes, progress.fileSize), 0);
    SendDlgItemMessageA(m_hWnd, kTotalBar, PBM_SETPOS, Permille(progress.totalBytes, progress.totalSize), 0);
    const double seconds = static_cast<double>(GetTickCount64() - m_nAttemptStart) / 1000.0;
    if (progress.phase == Phase::kDownloading)
        SetText(kAmountText, AmountText(progress.totalBytes, progress.totalSize, seconds));
    if (!over) return;
    if (progress.phase == Phase::kDone) {
        m_bSucceeded = true;
        DestroyWindow(m_hWnd);
    } else {
        ShowFailure(progress);
    }
}

void CProgressWindow::ShowFailure(const Progress& progress) {
    m_bFailed = true;
    SetText(kStatusText, StatusText(progress));
    SetText(kFileText, "");
    SetText(kCancelButton, "退出");
    HWND retry = GetDlgItem(m_hWnd, kRetryButton);
    ShowWindow(retry, SW_SHOW);
    SetFocus(retry);
}

void CProgressWindow::OnCancel() {
    // After a failure cancel means giving up; during an attempt it stops the
    // attempt, which then reports itself as cancelled.
    if (m_bFailed) {
        DestroyWindow(m_hWnd);
    } else {
        m_bCancel = true;
    }
}

void CProgressWindow::SetText(int id, const std::string& text) {
    HWND control = GetDlgItem(m_hWnd, id);
    char current[512] = {};
    GetWindowTextA(control, current, sizeof current);
    // Unchanged text is not set again: no flicker at every tick.
    if (text != current) SetWindowTextA(control, text.c_str());
}

}  // namespace brisvane
