// The control's window: a child of the site's window, created at in-place
// activation. Styles follow the host's answer to GetHostInfo: a vertical
// scroll bar unless DOCHOSTUIFLAG_SCROLL_NO, a sunken 3-D border unless
// DOCHOSTUIFLAG_NO3DBORDER.
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <type_traits>

#include "browser.h"
#include "dll_state.h"
#include "paint.h"

namespace standin {

namespace {

const wchar_t kWindowClass[] = L"VornStandinBrowser";
constexpr int kLineStep = 20;
enum : UINT { kMenuRefresh = 1, kMenuStop };

bool RegisterWindowClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(ModuleInstance(), kWindowClass, &wc)) return true;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Browser::WindowProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

void UnregisterWindowClass() { UnregisterClassW(kWindowClass, ModuleInstance()); }

LRESULT CALLBACK Browser::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            auto* self = static_cast<Browser*>(create->lpCreateParams);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->hwnd_ = hwnd;
        }
        auto* self = reinterpret_cast<Browser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && self->hwnd_ == hwnd) return self->OnMessage(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the window manager; the message counts as handled.
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool Browser::CreateViewWindow() {
    if (!RegisterWindowClass()) return false;
    DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!(hostFlags_ & DOCHOSTUIFLAG_SCROLL_NO)) style |= WS_VSCROLL;
    DWORD exStyle = hostFlags_ & DOCHOSTUIFLAG_NO3DBORDER ? 0 : WS_EX_CLIENTEDGE;
    HWND hwnd = CreateWindowExW(exStyle, kWindowClass, L"", style, pos_.left, pos_.top, pos_.right - pos_.left,
                                pos_.bottom - pos_.top, parent_, nullptr, ModuleInstance(), this);
    if (!hwnd) return false;
    LogLine(log_.get(), "window").Int("scrollbar", style & WS_VSCROLL ? 1 : 0)
        .Int("border3d", exStyle & WS_EX_CLIENTEDGE ? 1 : 0);
    Relayout();
    return true;
}

void Browser::DestroyViewWindow() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    if (top_) top_->ForEach([](Frame& f) { f.inputs.clear(); });  // children of the window that goes
    hwnd_ = nullptr;
    pumpPosted_ = false;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
}

void Browser::ApplyHostStyles() {
    if (!hwnd_) return;
    LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    LONG exStyle = GetWindowLongW(hwnd_, GWL_EXSTYLE);
    LONG newStyle = hostFlags_ & DOCHOSTUIFLAG_SCROLL_NO ? style & ~WS_VSCROLL : style | WS_VSCROLL;
    LONG newEx = hostFlags_ & DOCHOSTUIFLAG_NO3DBORDER ? exStyle & ~WS_EX_CLIENTEDGE : exStyle | WS_EX_CLIENTEDGE;
    if (newStyle == style && newEx == exStyle) return;
    SetWindowLongW(hwnd_, GWL_STYLE, newStyle);
    SetWindowLongW(hwnd_, GWL_EXSTYLE, newEx);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LogLine(log_.get(), "window").Int("scrollbar", newStyle & WS_VSCROLL ? 1 : 0)
        .Int("border3d", newEx & WS_EX_CLIENTEDGE ? 1 : 0);
}

void Browser::UpdateScrollBar() {
    if (!hwnd_ || !(GetWindowLongW(hwnd_, GWL_STYLE) & WS_VSCROLL)) {
        scrollY_ = 0;
        return;
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    int page = client.bottom - client.top;
    scrollY_ = std::max(0, std::min(scrollY_, top_->layout.height - page));
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;  // always shown, as the real control does
    si.nMax = std::max(top_->layout.height - 1, 0);
    si.nPage = static_cast<UINT>(std::max(page, 0));
    si.nPos = scrollY_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

void Browser::Scroll(int to) {
    int old = scrollY_;
    scrollY_ = to;
    UpdateScrollBar();
    if (scrollY_ != old && hwnd_) {
        top_->ForEach([this](Frame& f) { PlaceInputs(f); });
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

bool Browser::OwnAccelerator(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F5 || top_->url.empty()) return false;
    RequestNavigation(*top_, top_->url, true, "F5");
    return true;
}

void Browser::ShowOwnContextMenu(POINT screen) {
    std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)> menu(CreatePopupMenu(), DestroyMenu);
    if (!menu) return;
    AppendMenuW(menu.get(), MF_STRING, kMenuRefresh, L"\x5237\x65B0(&R)");  // 刷新
    AppendMenuW(menu.get(), MF_STRING, kMenuStop, L"\x505C\x6B62(&S)");     // 停止
    LogLine(log_.get(), "contextmenu-shown").Int("x", screen.x).Int("y", screen.y);
    UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr);
    menu.reset();
    LogLine(log_.get(), "contextmenu-closed").Int("command", static_cast<long>(command));
    if (command == kMenuRefresh && !top_->url.empty()) RequestNavigation(*top_, top_->url, true, "menu");
    if (command == kMenuStop) StopAll("menu");
}

LRESULT Browser::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The host, asked about a key or a click, may let go of the control.
    ComPtr<IOleObject> keep(msg >= WM_KEYFIRST && msg <= WM_MOUSELAST ? this : nullptr);
    switch (msg) {
        case kPumpMessage:
            Pump();
            return 0;
        case WM_PAINT: {
            ScopedPaint paint(hwnd_);
            RECT client;
            GetClientRect(hwnd_, &client);
            PaintTo(paint.get(), client);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            Relayout();
            LogLayoutAll();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_ACTIVATE;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
        case WM_LBUTTONDOWN:
            ActivateUI();  // a click makes the real control UI-active too
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, msg == WM_RBUTTONUP);
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: {
            MSG m = {hwnd_, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
            if (AskTranslateAccelerator(&m, "window") == S_OK) return 0;
            if (OwnAccelerator(m)) return 0;
            break;
        }
        case WM_VSCROLL: {
            RECT client;
            GetClientRect(hwnd_, &client);
            int page = client.bottom - client.top;
            switch (LOWORD(wParam)) {
                case SB_LINEUP: Scroll(scrollY_ - kLineStep); break;
                case SB_LINEDOWN: Scroll(scrollY_ + kLineStep); break;
                case SB_PAGEUP: Scroll(scrollY_ - page); break;
                case SB_PAGEDOWN: Scroll(scrollY_ + page); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: Scroll(HIWORD(wParam)); break;
            }
            return 0;
        }
        case WM_MOUSEWHEEL:
            if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VSCROLL)
                Scroll(scrollY_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * kLineStep);
            return 0;
        case WM_TIMER:
            OnPageTimer(wParam);
            return 0;
        case WM_DESTROY:
            // The site's window went first: the control is no longer shown anywhere.
            LogLine(log_.get(), "window-destroyed");
            hwnd_ = nullptr;
            pumpPosted_ = false;
            return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace standin
