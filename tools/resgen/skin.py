"""Game window skin bitmaps (24-bit, magenta where transparent).

How the skin uses them decides how they are drawn:
- the top strip (4 x 32) and the bottom strip (4 x 7) are stretched
  sideways, so all their columns are identical;
- the side borders (7 x 46) are copied as a caption-high top piece, a
  middle tile of rows 32..38 repeated downwards, and a bottom piece of
  rows 39..45, so the tile rows are identical and each piece meets the
  strips with the same colours;
- the caption buttons are three frames side by side (normal, pressed,
  hover) drawn with magenta left out. Their anti-aliased edges are
  pre-blended over the caption colours of the rows they sit on (4..26),
  so the shape stays smooth although the key is all-or-nothing.
"""

from PIL import Image, ImageChops

import paint
from layout import (BORDER_WIDTH, BOTTOM_HEIGHT, BUTTON_HEIGHT, BUTTON_TOP, CAPTION_HEIGHT,
                    MAGENTA, SIDE_HEIGHT, SKIN_BUTTONS, STRIP_WIDTH)

DARK = (14, 9, 7)
GOLD = (184, 140, 74)
GOLD_INNER = (140, 102, 52)

# Side border colours from the outer edge (0) to the client edge (6).
SIDE = [DARK, GOLD, (84, 57, 34), (64, 43, 27), (50, 33, 21), GOLD_INNER, DARK]


def _caption_rows():
    """Colours of the caption's 32 rows, top to bottom."""
    body = paint.vertical_gradient((1, 28), [(0, (98, 66, 38)), (0.45, (58, 37, 23)), (1, (30, 19, 13))])
    rows = [DARK, GOLD] + [body.getpixel((0, y)) for y in range(28)] + [GOLD_INNER, DARK]
    assert len(rows) == CAPTION_HEIGHT
    return rows


CAPTION = _caption_rows()


def top_strip():
    img = Image.new("RGB", (STRIP_WIDTH, CAPTION_HEIGHT))
    for y, colour in enumerate(CAPTION):
        for x in range(STRIP_WIDTH):
            img.putpixel((x, y), colour)
    return img


def bottom_strip():
    img = Image.new("RGB", (STRIP_WIDTH, BOTTOM_HEIGHT))
    for y in range(BOTTOM_HEIGHT):
        for x in range(STRIP_WIDTH):
            img.putpixel((x, y), SIDE[BORDER_WIDTH - 1 - y])
    return img


def left_border():
    img = Image.new("RGB", (BORDER_WIDTH, SIDE_HEIGHT))
    tile_bottom = SIDE_HEIGHT - BOTTOM_HEIGHT
    for y in range(SIDE_HEIGHT):
        for x in range(BORDER_WIDTH):
            if y < CAPTION_HEIGHT:
                # Caption end: the outer frame lines turn the corner, inside
                # is the caption itself; the inner gold line turns down at x 5.
                d = min(x, y)
                colour = SIDE[d] if d < 2 else CAPTION[y]
                if x == 5 and y == CAPTION_HEIGHT - 1:
                    colour = GOLD_INNER
            elif y < tile_bottom:
                colour = SIDE[x]
            else:
                # Bottom corner: mitred, so the side meets the bottom strip.
                colour = SIDE[min(x, SIDE_HEIGHT - 1 - y)]
            img.putpixel((x, y), colour)
    return img


def right_border():
    return left_border().transpose(Image.FLIP_LEFT_RIGHT)


def _caption_background(width):
    img = Image.new("RGBA", (width, BUTTON_HEIGHT))
    for y in range(BUTTON_HEIGHT):
        for x in range(width):
            img.putpixel((x, y), CAPTION[BUTTON_TOP + y] + (255,))
    return img


def _glyph(size, kind, dx, dy):
    w, h = size
    cx, cy = w / 2 + dx, h / 2 + dy
    if kind == "close":
        a = paint.line_mask(size, [(cx - 4, cy - 4), (cx + 4, cy + 4)], 1.8)
        b = paint.line_mask(size, [(cx + 4, cy - 4), (cx - 4, cy + 4)], 1.8)
        return ImageChops.lighter(a, b)
    if kind == "minimize":
        return paint.line_mask(size, [(cx - 5, cy + 3), (cx + 5, cy + 3)], 2.0)
    if kind == "maximize":
        outer = paint.rounded_mask(size, (cx - 5, cy - 4, cx + 5, cy + 5), 1)
        inner = paint.rounded_mask(size, (cx - 4, cy - 1.5, cx + 4, cy + 4), 0)
        return ImageChops.subtract(outer, inner)
    if kind == "restore":
        back = ImageChops.subtract(paint.rounded_mask(size, (cx - 2, cy - 6, cx + 6, cy + 1), 1),
                                         paint.rounded_mask(size, (cx - 1, cy - 4, cx + 5, cy + 0), 0))
        front_outer = paint.rounded_mask(size, (cx - 6, cy - 2, cx + 2, cy + 6), 1)
        front_inner = paint.rounded_mask(size, (cx - 5, cy + 0, cx + 1, cy + 5), 0)
        back = ImageChops.subtract(back, front_outer)
        return ImageChops.lighter(back, ImageChops.subtract(front_outer, front_inner))
    if kind == "tray":
        arrow = paint.polygon_mask(size, [(cx - 4, cy - 2), (cx + 4, cy - 2), (cx, cy + 2.5)])
        stem = paint.line_mask(size, [(cx, cy - 6), (cx, cy - 1)], 2.0)
        tray = paint.line_mask(size, [(cx - 6, cy + 2), (cx - 6, cy + 5), (cx + 6, cy + 5), (cx + 6, cy + 2)], 1.6)
        return ImageChops.lighter(ImageChops.lighter(arrow, stem), tray)
    if kind == "help":
        return paint.text_mask(size, (cx, cy), "?", paint.font(15, paint.LOGO_FONT), anchor="mm")
    return paint.text_mask(size, (cx, cy + 0.5), kind, paint.font(12), anchor="mm")


def _button_frame(width, label, state):
    """state 0 normal, 1 pressed, 2 hover."""
    size = (width, BUTTON_HEIGHT)
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    plate = paint.rounded_mask(size, (1, 1, width - 1, BUTTON_HEIGHT - 1), 4)
    inner = paint.rounded_mask(size, (2, 2, width - 2, BUTTON_HEIGHT - 2), 3)
    danger = label == "glyph:close"
    if state == 2:
        top, bottom = ((232, 92, 58), (150, 28, 18)) if danger else ((236, 196, 112), (150, 104, 44))
        paint.fill(layer, (255, 236, 180), plate)
        paint.fill(layer, paint.vertical_gradient(size, [(0, top), (1, bottom)]), inner)
        ink = (255, 255, 250) if danger else (44, 24, 10)
    elif state == 1:
        paint.fill(layer, (150, 110, 56, 255), plate)
        paint.fill(layer, paint.vertical_gradient(size, [(0, (16, 10, 6)), (1, (46, 30, 18))]), inner)
        ink = (255, 214, 140)
    else:
        paint.fill(layer, (150, 110, 56, 120), plate)
        paint.fill(layer, paint.vertical_gradient(size, [(0, (90, 62, 36)), (1, (40, 26, 16))]), inner)
        ink = (240, 210, 150)
    kind = label[6:] if label.startswith("glyph:") else label
    offset = 1 if state == 1 else 0
    mark = _glyph(size, kind, offset, offset)
    if state != 2:
        paint.fill(layer, (0, 0, 0, 150), paint.shift(mark, 0, 1))
    paint.fill(layer, ink, mark)
    frame = _caption_background(width)
    frame.alpha_composite(layer)
    # Outside the plate's shape: the key colour, so the caption shows through.
    out = frame.convert("RGB")
    alpha = layer.getchannel("A")
    for y in range(BUTTON_HEIGHT):
        for x in range(width):
            if alpha.getpixel((x, y)) < 24:
                out.putpixel((x, y), MAGENTA)
    return out


def caption_button(frame_width, label):
    strip = Image.new("RGB", (frame_width * 3, BUTTON_HEIGHT))
    for state in range(3):
        strip.paste(_button_frame(frame_width, label, state), (frame_width * state, 0))
    return strip


def skin_bitmaps():
    """{resource number: (file name, image)} for 155..168."""
    out = {
        155: ("frame_bottom.bmp", bottom_strip()),
        156: ("frame_left.bmp", left_border()),
        157: ("frame_right.bmp", right_border()),
        158: ("frame_top.bmp", top_strip()),
    }
    for number, name, frame_width, label in SKIN_BUTTONS:
        out[number] = (f"caption_{name}.bmp", caption_button(frame_width, label))
    return out
