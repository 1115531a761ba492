// The program's windows seen from another process: the main window (the one
// without an owner), the launcher (owned by it), message boxes, controls.
#pragma once

#include <windows.h>

#include <string>

#include "program_run.h"

namespace e2e {

using support::TopLevelWindows;
// The visible top-level window of pid that has no owner, or null.
HWND MainWindow(DWORD pid);
// The dialog owned by owner whose template holds the browser and the buttons.
HWND LauncherWindow(DWORD pid, HWND owner);
// A visible message box of pid (a dialog with a static text 0xFFFF), or null.
HWND MessageBoxWindow(DWORD pid);
std::string WindowText(HWND window);  // ANSI code page
RECT WindowRect(HWND window);
// The screen rectangle of a window's client area.
RECT ClientScreenRect(HWND window);
// The control at a point of the screen (ChildWindowFromPoint down to the deepest).
HWND DeepestChildAt(HWND top, POINT screen);

int Width(const RECT& r);
int Height(const RECT& r);

}  // namespace e2e
