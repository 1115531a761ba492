// Where the launcher's browser and image buttons sit, in pixels of its client
// area, and the pictures of each button (PNG resources: normal, hot, disabled).
#pragma once

#include <cstddef>

#include "res/resource.h"

namespace launcher {

struct Placement {
    int left;
    int top;
    int width;
    int height;
};

struct ButtonLayout {
    int controlId;
    unsigned normalImage;
    unsigned hotImage;
    unsigned disabledImage;
    Placement placement;
    const char* tooltip;  // code page 936; null for none
};

inline constexpr Placement kBrowserPlacement = {275, 149, 646, 409};

// In the order the launcher sets them up.
inline constexpr ButtonLayout kButtons[] = {
    {IDC_BTN_CLOSE, IDB_CLOSE_NORMAL, IDB_CLOSE_HOT, IDB_CLOSE_DISABLED, {908, 58, 28, 29}, "关闭"},
    {IDC_BTN_MIN, IDB_MIN_NORMAL, IDB_MIN_HOT, IDB_MIN_DISABLED, {881, 61, 24, 24}, "最小化"},
    {IDC_BTN_SERVICE, IDB_SERVICE_NORMAL, IDB_SERVICE_HOT, IDB_SERVICE_DISABLED, {740, 84, 77, 26}, nullptr},
    {IDC_BTN_FORUM, IDB_FORUM_NORMAL, IDB_FORUM_HOT, IDB_FORUM_DISABLED, {598, 84, 77, 26}, nullptr},
    {IDC_BTN_HOME, IDB_HOME_NORMAL, IDB_HOME_HOT, IDB_HOME_DISABLED, {346, 84, 77, 26}, nullptr},
    {IDC_BTN_RECHARGE, IDB_RECHARGE_NORMAL, IDB_RECHARGE_HOT, IDB_RECHARGE_DISABLED, {473, 84, 77, 26}, nullptr},
};
inline constexpr size_t kButtonCount = sizeof(kButtons) / sizeof(kButtons[0]);

}  // namespace launcher
