"""Launcher background, PNG 130: 980 x 650 with per-pixel alpha.

A framed night landscape panel with a soft drop shadow and a glow that
fade into full transparency towards the picture's edges. The places of
the launcher's browser and buttons come from layout.py; the picture puts
a dark plate behind each button (their edges blend towards the colour
key, which is near black) and a gold frame around the browser.
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import paint
from layout import BACKGROUND_SIZE, BROWSER, BUTTONS, LINK_LABELS, on_background

W, H = BACKGROUND_SIZE
PANEL = (14, 24, 966, 626)
PANEL_RADIUS = 24
GOLD = [(0, (255, 232, 160)), (0.5, (206, 156, 70)), (1, (118, 78, 30))]


def _sky():
    sky = paint.vertical_gradient((W, H), [
        (0.0, (8, 8, 30)), (0.35, (26, 20, 62)), (0.62, (70, 36, 84)),
        (0.74, (150, 78, 74)), (0.80, (64, 30, 52)), (1.0, (12, 8, 18))]).convert("RGBA")
    rnd = random.Random(130)
    stars = Image.new("L", (W, H), 0)
    draw = ImageDraw.Draw(stars)
    for _ in range(420):
        x, y = rnd.uniform(0, W), rnd.uniform(0, H * 0.62)
        v = int(255 * rnd.uniform(0.25, 1.0) * (1 - y / (H * 0.7)))
        r = rnd.choice((0.6, 0.6, 0.6, 0.9, 1.3))
        draw.ellipse((x - r, y - r, x + r, y + r), fill=v)
    paint.glow(sky, stars, (200, 210, 255), 2.5, 2.0)
    paint.fill(sky, (255, 252, 240), stars)
    return sky


def _moon(img):
    cx, cy, r = 716, 50, 20
    disc = paint.ellipse_mask((W, H), (cx - r, cy - r, cx + r, cy + r), 2)
    paint.glow(img, disc, (255, 214, 150), 40, 0.9)
    paint.glow(img, disc, (255, 236, 190), 12, 1.0)
    face = paint.gradient_in_box((W, H), (0, cy - r, W, cy + r), [(0, (255, 250, 226)), (0.6, (246, 214, 150)), (1, (236, 196, 130))])
    paint.fill(img, face, disc)
    crater = paint.ellipse_mask((W, H), (cx - 10, cy - 12, cx + 4, cy + 1), 2)
    paint.fill(img, (210, 170, 110, 70), crater)


def _ridge(seed, base, rough, step=7):
    rnd = random.Random(seed)
    points, y = [], base
    for x in range(-step, W + 2 * step, step):
        y += rnd.uniform(-rough, rough)
        y = min(max(y, base - 70), base + 40)
        points.append((x, y))
    return points + [(W + step, H), (-step, H)]


def _landscape(img):
    layers = [(11, 470, 9, (60, 36, 82, 255), 2.0), (23, 520, 7, (36, 20, 52, 255), 1.2),
              (37, 575, 6, (16, 10, 24, 255), 0.6)]
    for seed, base, rough, colour, haze in layers:
        mask = paint.polygon_mask((W, H), _ridge(seed, base, rough), 2)
        paint.fill(img, colour, mask)
        mist = paint.vertical_gradient((W, H), [(0, (0, 0, 0, 0)), (base / H, (180, 120, 160, 0)),
                                                 (min(1, base / H + 0.08), (180, 120, 160, int(40 * haze))),
                                                 (1, (0, 0, 0, 0))])
        img.alpha_composite(mist)
    _castle(img, 70, 560)


def _castle(img, x0, ground):
    """A castle on a crag: towers with spires, a crenellated wall, lit windows."""
    towers = [(4, 18, 66), (40, 24, 50), (66, 16, 100), (88, 22, 62), (122, 18, 80)]
    shapes = [[(x0 - 50, ground + 60), (x0 - 6, ground + 8), (x0 + 30, ground + 2), (x0 + 110, ground + 4),
               (x0 + 150, ground + 10), (x0 + 200, ground + 60)]]
    wall_top = ground - 26
    shapes.append([(x0 + 10, ground + 5), (x0 + 10, wall_top), (x0 + 136, wall_top), (x0 + 136, ground + 5)])
    for cx in range(x0 + 10, x0 + 136, 8):
        shapes.append([(cx, wall_top), (cx, wall_top - 5), (cx + 4, wall_top - 5), (cx + 4, wall_top)])
    for dx, width, height in towers:
        left, top = x0 + dx, ground - height
        shapes.append([(left, ground + 5), (left, top), (left + width, top), (left + width, ground + 5)])
        shapes.append([(left - 3, top), (left + width / 2, top - width * 1.1), (left + width + 3, top)])
    mask = Image.new("L", (W, H), 0)
    for poly in shapes:
        mask = ImageChops.lighter(mask, paint.polygon_mask((W, H), poly, 2))
    dx, width, height = towers[2]
    spire = (x0 + dx + width / 2, ground - height - width * 1.1)
    mask = ImageChops.lighter(mask, paint.line_mask((W, H), [spire, (spire[0], spire[1] - 12)], 1.2, 2))
    mask = ImageChops.lighter(mask, paint.polygon_mask(
        (W, H), [(spire[0], spire[1] - 12), (spire[0] + 10, spire[1] - 9), (spire[0], spire[1] - 6)], 2))
    paint.glow(img, mask, (255, 150, 90), 14, 0.5)
    paint.fill(img, (14, 8, 20, 255), mask)
    rnd = random.Random(560)
    windows = Image.new("L", (W, H), 0)
    draw = ImageDraw.Draw(windows)
    for dx, width, height in towers:
        for wy in range(ground - height + 12, ground - 30, 15):
            if rnd.random() < 0.75:
                wx = x0 + dx + width // 2 - 1
                draw.rectangle((wx, wy, wx + 2, wy + 4), fill=255)
    paint.glow(img, windows, (255, 190, 90), 3, 2.0)
    paint.fill(img, (255, 220, 140), windows)


def _frame(img, box, radius, width, inner_dark=True):
    outer = paint.rounded_mask((W, H), box, radius)
    l, t, r, b = box
    inner = paint.rounded_mask((W, H), (l + width, t + width, r - width, b - width), max(1, radius - width))
    ring = ImageChops.subtract(outer, inner)
    paint.fill(img, paint.vertical_gradient((W, H), GOLD), ring)
    if inner_dark:
        edge = ImageChops.subtract(inner, paint.rounded_mask(
            (W, H), (l + width + 1, t + width + 1, r - width - 1, b - width - 1), max(1, radius - width - 1)))
        paint.fill(img, (20, 12, 8, 230), edge)


def _plate(img, box, radius, alpha=235):
    mask = paint.rounded_mask((W, H), box, radius)
    paint.fill(img, paint.vertical_gradient((W, H), [(0, (34, 22, 30, alpha)), (1, (10, 6, 12, alpha))]), mask)
    _frame(img, box, radius, 2, inner_dark=False)


def _gem(img, cx, cy, r):
    diamond = paint.polygon_mask((W, H), [(cx, cy - r), (cx + r, cy), (cx, cy + r), (cx - r, cy)], 2)
    paint.glow(img, diamond, (255, 120, 80), r, 1.2)
    paint.fill(img, paint.vertical_gradient((W, H), GOLD), diamond)
    core = paint.polygon_mask((W, H), [(cx, cy - r + 2), (cx + r - 2, cy), (cx, cy + r - 2), (cx - r + 2, cy)], 2)
    paint.fill(img, (190, 40, 40, 255), core)


def _text(img, origin, text, size, colour, anchor="la", face_path=paint.CJK_FONT, glow=None, stroke=0):
    face = paint.font(size, face_path)
    mask = paint.text_mask((W, H), origin, text, face, anchor)
    if glow:
        paint.glow(img, mask, glow[0], glow[1], glow[2])
    if stroke:
        paint.fill(img, (24, 12, 6, 255), paint.stroke_mask(mask, stroke))
    else:
        paint.fill(img, (0, 0, 0, 170), paint.shift(mask, 1, 1))
    if isinstance(colour, list):
        colour = paint.gradient_in_box((W, H), mask.getbbox(), colour)
    paint.fill(img, colour, mask)
    return mask


def _logo(img):
    aura = paint.ellipse_mask((W, H), (10, -30, 360, 150), 1)
    paint.fill(img, (255, 190, 110, 70), aura.filter(ImageFilter.GaussianBlur(24)))
    gold = [(0, (255, 252, 228)), (0.45, (250, 214, 120)), (0.55, (196, 130, 50)), (1, (240, 190, 100))]
    _text(img, (44, 38), "ARVENDEL", 42, gold, face_path=paint.LOGO_FONT, glow=((255, 170, 80), 7, 1.4), stroke=2)
    _text(img, (48, 92), "Halden游戏 · 官方登陆器", 16, (250, 226, 170))
    line = paint.line_mask((W, H), [(48, 122), (300, 122)], 1.2)
    paint.fill(img, (230, 180, 90, 200), line)
    _gem(img, 174, 122, 4)


def _left_column(img):
    box = (26, 149, 258, 440)
    _plate(img, box, 10, alpha=150)
    rune = Image.new("L", (W, H), 0)
    draw = ImageDraw.Draw(rune)
    cx, cy = 142, 262
    for r, w in [(78, 3), (66, 2), (52, 1)]:
        draw.ellipse((cx - r, cy - r, cx + r, cy + r), outline=255, width=w)
    for k in range(6):
        a = math.pi / 3 * k - math.pi / 2
        b = a + 2 * math.pi / 3 * 2
        draw.line((cx + 66 * math.cos(a), cy + 66 * math.sin(a),
                   cx + 66 * math.cos(b), cy + 66 * math.sin(b)), fill=255, width=2)
    paint.glow(img, rune, (120, 170, 255), 6, 1.5)
    paint.fill(img, (190, 220, 255, 220), rune)
    _text(img, (142, 262), "征", 54, [(0, (255, 250, 220)), (1, (222, 160, 70))], anchor="mm",
          glow=((255, 170, 90), 10, 1.3), stroke=2)
    _text(img, (142, 372), "踏上征途", 30, [(0, (255, 244, 200)), (1, (214, 156, 70))], anchor="mm",
          glow=((255, 150, 80), 8, 1.1), stroke=1)
    _text(img, (142, 408), "开启你的传奇冒险", 15, (236, 214, 170), anchor="mm")


def _browser_well(img):
    l, t, r, b = on_background(BROWSER)
    _frame(img, (l - 8, t - 8, r + 8, b + 8), 8, 5)
    well = Image.new("L", (W, H), 0)
    ImageDraw.Draw(well).rectangle((l - 3, t - 3, r + 2, b + 2), fill=255)
    paint.fill(img, (14, 10, 18, 255), well)
    _text(img, ((l + r) // 2, (t + b) // 2), "正在连接游戏服务器……", 16, (120, 104, 96), anchor="mm")


def _button_plates(img):
    links = [on_background(BUTTONS[name]) for name in LINK_LABELS]
    left = min(box[0] for box in links) - 12
    right = max(box[2] for box in links) + 12
    top = min(box[1] for box in links) - 8
    bottom = max(box[3] for box in links) + 8
    _plate(img, (left, top, right, bottom), 10)
    ordered = sorted(links)
    for a, b in zip(ordered, ordered[1:]):
        _gem(img, (a[2] + b[0]) // 2, (top + bottom) // 2, 5)
    close, minimise = on_background(BUTTONS["close"]), on_background(BUTTONS["min"])
    _plate(img, (minimise[0] - 8, close[1] - 6, close[2] + 8, close[3] + 6), 12)


def _footer(img):
    l, _, r, b = on_background(BROWSER)
    # The customary health advice of Chinese game clients.
    for dy, line in ((26, "抵制不良游戏，拒绝盗版游戏。注意自我保护，谨防受骗上当。"),
                     (44, "适度游戏益脑，沉迷游戏伤身。合理安排时间，享受健康生活。")):
        _text(img, ((l + r) // 2, b + dy), line, 12, (190, 170, 150), anchor="mm")
    _text(img, (r, b + 44), "Halden游戏 版权所有", 12, (150, 130, 110), anchor="rm")


def _edge_fade(margin=14):
    """1 inside, falling to 0 at the picture's edges: nothing may be cut off there."""
    mask = Image.new("L", (W, H), 0)
    draw = ImageDraw.Draw(mask)
    for i in range(margin + 1):
        draw.rectangle((i, i, W - 1 - i, H - 1 - i), fill=int(255 * (i / margin) ** 1.5))
    return mask


def background():
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    panel_mask = paint.rounded_mask((W, H), PANEL, PANEL_RADIUS)
    # Drop shadow and outer glow: the half-transparent rim of the picture.
    shadow = paint.shift(panel_mask, 0, 5).filter(ImageFilter.GaussianBlur(9))
    paint.fill(img, (0, 0, 0, 200), shadow)
    paint.glow(img, panel_mask, (255, 170, 90), 5, 0.5)
    # The logo's light spills over the frame into the transparent rim.
    spill = paint.ellipse_mask((W, H), (30, -10, 340, 90), 1).filter(ImageFilter.GaussianBlur(18))
    paint.fill(img, (255, 180, 90, 150), spill)
    img.putalpha(ImageChops.multiply(img.getchannel("A"), _edge_fade()))

    scene = _sky()
    _moon(scene)
    _landscape(scene)
    vignette = paint.ellipse_mask((W, H), (-140, -120, W + 140, H + 150), 1).filter(ImageFilter.GaussianBlur(60))
    paint.fill(scene, (0, 0, 0, 150), ImageChops.invert(vignette))
    _logo(scene)
    _left_column(scene)
    _browser_well(scene)
    _button_plates(scene)
    _footer(scene)
    scene.putalpha(panel_mask)
    img.alpha_composite(scene)
    _frame(img, PANEL, PANEL_RADIUS, 6)
    for cx, cy in [(PANEL[0] + 40, PANEL[1] + 3), (PANEL[2] - 40, PANEL[1] + 3),
                   (PANEL[0] + 40, PANEL[3] - 3), (PANEL[2] - 40, PANEL[3] - 3)]:
        _gem(img, cx, cy, 6)
    return img
