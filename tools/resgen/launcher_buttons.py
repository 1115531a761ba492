"""Launcher button pictures (PNG with alpha): normal and hot states.

The launcher draws them over its own background, the colour key
RGB(1, 1, 1), so half-transparent edge pixels blend towards black. The
background puts dark plates behind every button, which hides that fringe.
"""

from PIL import Image, ImageChops

import paint
from layout import LINK_LABELS

GOLD_LIGHT = (255, 236, 170)
GOLD = (222, 178, 92)
GOLD_DARK = (120, 82, 34)


def _link_button(size, label, hot):
    width, height = size
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    outer = paint.rounded_mask(size, (0, 0, width, height), 6)
    inner = paint.rounded_mask(size, (1, 1, width - 1, height - 1), 5)
    if hot:
        rim = paint.vertical_gradient(size, [(0, GOLD_LIGHT), (1, GOLD)])
        face = paint.vertical_gradient(size, [(0, (196, 74, 36)), (0.5, (150, 40, 22)), (1, (96, 20, 12))])
    else:
        rim = paint.vertical_gradient(size, [(0, GOLD), (1, GOLD_DARK)])
        face = paint.vertical_gradient(size, [(0, (92, 36, 26)), (0.5, (62, 22, 18)), (1, (38, 12, 10))])
    paint.fill(img, rim, outer)
    paint.fill(img, face, inner)
    # Upper gloss: a light band over the top half of the face.
    gloss = paint.rounded_mask(size, (2, 2, width - 2, height // 2), 4)
    paint.fill(img, (255, 255, 255, 46 if hot else 22), gloss)
    face_font = paint.font(13)
    centre = (width / 2, height / 2 + 0.5)
    text = paint.text_mask(size, centre, label, face_font, anchor="mm")
    paint.fill(img, (20, 6, 4, 200), paint.shift(text, 0, 1))
    if hot:
        paint.glow(img, text, (255, 220, 120), 2.0, 1.6)
    paint.fill(img, GOLD_LIGHT if not hot else (255, 255, 240), text)
    return img


def _round_button(size, hot, glyph):
    width, height = size
    d = min(width, height)
    box = ((width - d) / 2, (height - d) / 2, (width + d) / 2, (height + d) / 2)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    ring = paint.ellipse_mask(size, box)
    l, t, r, b = box
    face_box = (l + 2, t + 2, r - 2, b - 2)
    face = paint.ellipse_mask(size, face_box)
    paint.fill(img, paint.vertical_gradient(size, [(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]), ring)
    if glyph == "close":
        colours = [(0, (236, 96, 60)), (1, (140, 24, 16))] if hot else [(0, (160, 44, 30)), (1, (70, 12, 10))]
    else:
        colours = [(0, (120, 110, 150)), (1, (40, 36, 70))] if hot else [(0, (70, 62, 96)), (1, (22, 20, 40))]
    paint.fill(img, paint.vertical_gradient(size, colours), face)
    gloss = paint.ellipse_mask(size, (l + 4, t + 3, r - 4, t + d * 0.55))
    paint.fill(img, (255, 255, 255, 60 if hot else 34), gloss)
    cx, cy = width / 2, height / 2
    k = d * 0.2
    if glyph == "close":
        mark = paint.line_mask(size, [(cx - k, cy - k), (cx + k, cy + k)], 2.4)
        mark = ImageChops.lighter(mark, paint.line_mask(size, [(cx + k, cy - k), (cx - k, cy + k)], 2.4))
    else:
        mark = paint.line_mask(size, [(cx - k - 1, cy + 0.5), (cx + k + 1, cy + 0.5)], 2.4)
    paint.fill(img, (20, 6, 4, 160), paint.shift(mark, 0, 1))
    paint.fill(img, (255, 255, 240) if hot else GOLD_LIGHT, mark)
    return img


def launcher_buttons(rects):
    """{name: (normal, hot)} pictures at the sizes of the button table."""
    out = {}
    for name, (_, _, width, height) in rects.items():
        size = (width, height)
        if name in LINK_LABELS:
            out[name] = tuple(_link_button(size, LINK_LABELS[name], hot) for hot in (False, True))
        else:
            out[name] = tuple(_round_button(size, hot, name) for hot in (False, True))
    return out

