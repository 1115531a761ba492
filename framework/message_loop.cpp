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

int& MessageLoopDepth() {
    static int depth = 0;
    return depth;
}

void AfxPumpMessage(MSG& msg) {
    if (msg.hwnd && PreTranslateChain(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
