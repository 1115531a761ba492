// Where the launcher-phase main window and its launcher go: plain arithmetic
// on rectangles, gathered and applied by the window's handlers.
#pragma once

#include <windows.h>

// The smallest size the main window may be dragged to, in the launcher phase
// and as the skinned game window alike (the skin leaves the limits to it).
inline constexpr LONG kMinTrackWidth = 958;
inline constexpr LONG kMinTrackHeight = 576;

// The launcher lies this far right of the main window's outer left edge, and
// follows the client origin this far up.
inline constexpr int kLauncherOffset = 3;

// Top-left corner that centres a width by height rectangle in the work area;
// the divisions truncate toward zero.
POINT CentredOrigin(const RECT& workArea, LONG width, LONG height);

// Raises the minimum tracking size to the limits above; larger ones stay.
void ApplyMinimumTrackSize(MINMAXINFO& info);

// Where the icon goes in a minimised window's client area.
POINT MinimisedIconOrigin(const RECT& client, int iconWidth, int iconHeight);

// The launcher's corner after the main window's initialisation (outer
// window rectangle) and after a move (new client origin).
POINT LauncherInitialOrigin(const RECT& mainWindow);
POINT LauncherFollowOrigin(POINT clientOrigin);
