// Between the layer's own files; not for the program.
#pragma once
#include <windows.h>
#include "wnd.h"

LRESULT CALLBACK FrameworkWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Binds the next window of class className created on this thread to pWnd
// (before it sees WM_NCCREATE). EndCreateHook reports whether it happened.
void BeginCreateHook(CWnd* pWnd, const char* className);
bool EndCreateHook();

// Temporary wrappers from CWnd::FromHandle; freed by the outermost loop.
void FreeTemporaryWindows();
// Nesting of the layer's message loops (the app's and the modal dialogs').
int& MessageLoopDepth();
// Runs the loop until done() is true or WM_QUIT arrives (reposted).
template <class Done>
void RunMessageLoop(Done&& done) {
    ++MessageLoopDepth();
    MSG msg;
    while (!done()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) { PostQuitMessage(static_cast<int>(msg.wParam)); break; }
        AfxPumpMessage(msg);
        if (MessageLoopDepth() == 1) FreeTemporaryWindows();
    }
    --MessageLoopDepth();
}

// Window classes the templates name ("MfcButton").
void RegisterFrameworkClasses();

// OLE for the UI thread: initialised by AfxEnableControlContainer.
void AfxOleTerm();
