// Resource, control and command numbers of Vorn_Login. Included by the
// resource script as well as by C++ code, so only plain #defines here.
#pragma once

// Dialog templates
#define IDD_VORN_LOGIN_DIALOG 102  // main window
#define IDD_WEB_DIALOG 132         // launcher
#define IDD_CLOSE_BTN_DLG 167      // close confirmation

// Program icon (window, caption and tray) and the game window's accelerators
#define IDR_MAINFRAME 128
#define IDR_ACCELERATOR 144

// Launcher background, resource type "PNG"
#define IDB_BACKGROUND 130

// Launcher button images, resource type "PNG": normal, hot, disabled
#define IDB_CLOSE_NORMAL 168
#define IDB_CLOSE_HOT 169
#define IDB_CLOSE_DISABLED 170
#define IDB_MIN_NORMAL 171
#define IDB_MIN_HOT 172
#define IDB_MIN_DISABLED 173
#define IDB_SERVICE_NORMAL 174
#define IDB_SERVICE_HOT 175
#define IDB_SERVICE_DISABLED 176
#define IDB_FORUM_NORMAL 177
#define IDB_FORUM_HOT 178
#define IDB_FORUM_DISABLED 179
#define IDB_RECHARGE_NORMAL 180
#define IDB_RECHARGE_HOT 181
#define IDB_RECHARGE_DISABLED 182
#define IDB_HOME_NORMAL 183
#define IDB_HOME_HOT 184
#define IDB_HOME_DISABLED 185

// Skin bitmaps (BITMAP, 24-bit, magenta 0x00FF00FF where transparent).
// Caption buttons are strips of three frames: normal, pressed, hover.
// The numbers overlap the PNG ones; the resource types keep them apart.
#define IDB_SKIN_BOTTOM 155
#define IDB_SKIN_LEFT 156
#define IDB_SKIN_RIGHT 157
#define IDB_SKIN_TOP 158
#define IDB_SKIN_CLOSE 159
#define IDB_SKIN_RESTORE 160
#define IDB_SKIN_MAXIMIZE 161
#define IDB_SKIN_MINIMIZE 162
#define IDB_SKIN_HELP 163  // shipped, not drawn by the skin
#define IDB_SKIN_TRAY 164
#define IDB_SKIN_SETTINGS 165
#define IDB_SKIN_FORUM 166
#define IDB_SKIN_RECHARGE 167
#define IDB_SKIN_HOME 168

// Controls. The browser is 1001 in both the main window and the launcher.
#define IDC_EXPLORER1 1001
#define IDC_BTN_CLOSE 1006
#define IDC_BTN_MIN 1007
#define IDC_BTN_HOME 1008
#define IDC_BTN_SERVICE 1009
#define IDC_BTN_FORUM 1010
#define IDC_BTN_RECHARGE 1011

// Commands of the main window
#define ID_MENU_REFRESH 10000
#define ID_MENU_CLEAR_CACHE 10001
#define ID_MENU_BOSS_KEY 10002
#define ID_ACCEL_REFRESH 32771  // F5, accelerator table 144

// Hot key id of the boss key (F11)
#define ID_HOTKEY_BOSS 1001

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
