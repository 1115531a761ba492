// Between the layer's own files; not for the program.
#pragma once
#include <windows.h>
#include <functional>
#include "wnd.h"

LRESULT CALLBACK FrameworkWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The modal loop of dialogs: runs this thread's messages until done() is true
// or WM_QUIT arrives, which it posts again for the loop around it.
void RunMessageLoop(const std::function<bool()>& done);

// Window classes the templates name ("MfcButton").
void RegisterFrameworkClasses();

// OLE for the UI thread: initialised by AfxEnableControlContainer.
void AfxOleTerm();
