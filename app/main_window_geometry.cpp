#include "app/main_window_geometry.h"

POINT CentredOrigin(const RECT& workArea, LONG width, LONG height) {
    const LONG workWidth = workArea.right - workArea.left;
    const LONG workHeight = workArea.bottom - workArea.top;
    return {workArea.left + (workWidth - width) / 2, workArea.top + (workHeight - height) / 2};
}

void ApplyMinimumTrackSize(MINMAXINFO& info) {
    if (info.ptMinTrackSize.x < kMinTrackWidth) {
        info.ptMinTrackSize.x = kMinTrackWidth;
    }
    if (info.ptMinTrackSize.y < kMinTrackHeight) {
        info.ptMinTrackSize.y = kMinTrackHeight;
    }
}

POINT MinimisedIconOrigin(const RECT& client, int iconWidth, int iconHeight) {
    const LONG width = client.right - client.left;
    const LONG height = client.bottom - client.top;
    return {(width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2};
}

POINT LauncherInitialOrigin(const RECT& mainWindow) {
    return {mainWindow.left + kLauncherOffset, mainWindow.top};
}

POINT LauncherFollowOrigin(POINT clientOrigin) {
    return {clientOrigin.x, clientOrigin.y - kLauncherOffset};
}
