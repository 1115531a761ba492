// One message of a loop: pre-translation up the window chain, then dispatch.
#include "framework_internal.h"
#include "ole_exception.h"
#include "wnd.h"

namespace {

// From the target window up through its parents (the owner, for a popup);
// the first object that takes the message ends the walk.
bool PreTranslateChain(MSG& msg) {
    for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (!pWnd) continue;
        BOOL handled = FALSE;
        AfxCallGuarded([&] { handled = pWnd->PreTranslateMessage(&msg); });
        if (handled) return true;
    }
    return false;
}

}  // namespace

void RunMessageLoop(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // WM_QUIT belongs to the loop around this one.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        AfxPumpMessage(msg);
    }
}

void AfxPumpMessage(MSG& msg) {
    if (msg.hwnd && PreTranslateChain(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
