"""Sizes and places the pictures are drawn for.

All numbers are device pixels (the program is DPI-aware). The launcher
dialog sits 3 pixels right of the main window's left edge and level with
its top (the main window keeps the 3-pixel dialog frame its template
implies), so a launcher position (x, y) lies over background pixel
(x + 3, y).
"""

BACKGROUND_SIZE = (980, 650)
LAUNCHER_OFFSET = (3, 0)

# Launcher controls in launcher client pixels: left, top, width, height.
BROWSER = (275, 149, 646, 409)
BUTTONS = {
    "close": (908, 58, 28, 29),
    "min": (881, 61, 24, 24),
    "service": (740, 84, 77, 26),
    "forum": (598, 84, 77, 26),
    "recharge": (473, 84, 77, 26),
    "home": (346, 84, 77, 26),
}

# Resource numbers of each launcher button's normal, hot and disabled picture.
BUTTON_IMAGES = {
    "close": (168, 169, 170),
    "min": (171, 172, 173),
    "service": (174, 175, 176),
    "forum": (177, 178, 179),
    "recharge": (180, 181, 182),
    "home": (183, 184, 185),
}

LINK_LABELS = {
    "home": "官方主页",
    "recharge": "充值中心",
    "forum": "官方论坛",
    "service": "客服中心",
}


def on_background(rect):
    """A launcher rectangle (l, t, w, h) as a background box (l, t, r, b)."""
    left, top, width, height = rect
    dx, dy = LAUNCHER_OFFSET
    return (left + dx, top + dy, left + dx + width, top + dy + height)


# Game window skin. The caption is 32 high, the side borders 7 wide, the
# bottom 7 high; the left and right images repeat rows 32 to 38.
CAPTION_HEIGHT = 32
BORDER_WIDTH = 7
BOTTOM_HEIGHT = 7
SIDE_HEIGHT = 46
STRIP_WIDTH = 4          # top and bottom strips are stretched sideways
BUTTON_TOP = 4           # caption buttons sit 4 below the window top
BUTTON_HEIGHT = 23

# Caption button strips: resource, name, frame width, label or glyph.
# 163 is not drawn by the skin; it is shipped at the small buttons' size.
SKIN_BUTTONS = [
    (159, "close", 42, "glyph:close"),
    (160, "restore", 32, "glyph:restore"),
    (161, "maximize", 32, "glyph:maximize"),
    (162, "minimize", 32, "glyph:minimize"),
    (163, "help", 32, "glyph:help"),
    (164, "tray", 32, "glyph:tray"),
    (165, "settings", 43, "设置"),
    (166, "forum", 43, "论坛"),
    (167, "recharge", 43, "充值"),
    (168, "home", 43, "官网"),
]

MAGENTA = (255, 0, 255)
