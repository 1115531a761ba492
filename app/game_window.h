// Numbers of the game window's tray icon and menus.
#pragma once

#include <windows.h>

// The shell reports mouse events over the tray icon with this message, the
// icon's id in wParam and the mouse message in lParam.
inline constexpr UINT kTrayCallbackMessage = 12345;
inline constexpr UINT kTrayIconId = 128;
inline constexpr char kTrayTip[] = "Arvendel";
