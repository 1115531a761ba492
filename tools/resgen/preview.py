"""Preview sheets for looking at the pictures the way the program shows them.

- launcher.png: the background over a desktop, with the buttons keyed in
  as the colour-keyed launcher shows them (normal row, then hot);
- skin.png: a game window frame assembled the way the skin draws it
  (strips stretched, side tiles repeated, buttons with magenta left out);
- sheet.png: every picture enlarged.
"""

import os

from PIL import Image, ImageDraw

import paint
from layout import (BACKGROUND_SIZE, BOTTOM_HEIGHT, BROWSER, BUTTON_TOP, BUTTONS, CAPTION_HEIGHT,
                    MAGENTA, SKIN_BUTTONS, on_background)

KEY = (1, 1, 1)


def _desktop(size):
    img = paint.vertical_gradient(size, [(0, (70, 120, 170)), (1, (200, 210, 190))]).convert("RGBA")
    draw = ImageDraw.Draw(img)
    for x in range(0, size[0], 40):
        for y in range(0, size[1], 40):
            if (x // 40 + y // 40) % 2:
                draw.rectangle((x, y, x + 39, y + 39), fill=(90, 140, 180, 255))
    return img


def _keyed(picture):
    """A launcher button as the launcher shows it: blended over the key, key removed."""
    over = Image.new("RGBA", picture.size, KEY + (255,))
    over.alpha_composite(picture)
    mask = Image.eval(over.convert("RGB").convert("L"), lambda v: 255)
    rgb = over.convert("RGB")
    for y in range(rgb.height):
        for x in range(rgb.width):
            if rgb.getpixel((x, y)) == KEY:
                mask.putpixel((x, y), 0)
    out = rgb.convert("RGBA")
    out.putalpha(mask)
    return out


def launcher(back, buttons, state):
    size = (BACKGROUND_SIZE[0] + 60, BACKGROUND_SIZE[1] + 60)
    img = _desktop(size)
    img.alpha_composite(back, (30, 30))
    l, t, r, b = on_background(BROWSER)
    page = Image.new("RGBA", (r - l, b - t), (246, 242, 232, 255))
    ImageDraw.Draw(page).rectangle((0, 0, r - l, 40), fill=(150, 40, 30, 255))
    img.alpha_composite(page, (30 + l, 30 + t))
    for name, pictures in buttons.items():
        x, y, _, _ = on_background(BUTTONS[name])
        img.alpha_composite(_keyed(pictures[state]), (30 + x, 30 + y))
    return img


def _keyed_bitmap(bitmap):
    out = bitmap.convert("RGBA")
    for y in range(out.height):
        for x in range(out.width):
            if out.getpixel((x, y))[:3] == MAGENTA:
                out.putpixel((x, y), (0, 0, 0, 0))
    return out


def skin(skins, icon, width=720, height=140, hover=6):
    top, left, right, bottom = (skins[n][1] for n in (158, 156, 157, 155))
    img = Image.new("RGBA", (width, height), (30, 30, 30, 255))
    img.paste(top.resize((width - 14 + 1, CAPTION_HEIGHT)), (7, 0))
    for border, x in ((left, 0), (right, width - 7)):
        img.paste(border.crop((0, 0, 7, 32)), (x, 0))
        y = 32
        while y < height - 7:
            img.paste(border.crop((0, 32, 7, 39)), (x, y))
            y += 7
        img.paste(border.crop((0, 39, 7, 46)), (x, height - 7))
    img.paste(bottom.resize((width - 14, BOTTOM_HEIGHT)), (7, height - 7))
    offset = 4
    for index, (number, _, frame, _) in enumerate(SKIN_BUTTONS):
        if number in (160, 163):
            continue
        state = 2 if index == hover else (1 if index == hover + 1 else 0)
        strip = _keyed_bitmap(skins[number][1].crop((state * frame, 0, (state + 1) * frame, 23)))
        img.alpha_composite(strip, (width - offset - frame, BUTTON_TOP))
        offset += frame
    img.alpha_composite(icon, (7, 5))
    face = paint.font(13)
    ImageDraw.Draw(img).text((30, 16), "Arvendel - 1服 龙腾四海", font=face, fill=(255, 255, 255), anchor="lm")
    ImageDraw.Draw(img).rectangle((7, 32, width - 8, height - 8), fill=(240, 236, 226))
    return img


def sheet(back, buttons, skins, icons, scale=3, width=900):
    pictures = [p for pair in buttons.values() for p in pair]
    pictures += [bitmap for _, (_, bitmap) in sorted(skins.items())] + list(icons)
    placed, x, y, row = [], 10, 10, 0
    for picture in pictures:
        big = picture.convert("RGBA").resize((picture.width * scale, picture.height * scale), Image.NEAREST)
        if x + big.width > width - 10:
            x, y, row = 10, y + row + 10, 0
        placed.append((big, (x, y)))
        x, row = x + big.width + 10, max(row, big.height)
    img = Image.new("RGBA", (width, y + row + 10), (60, 60, 70, 255))
    for big, at in placed:
        img.alpha_composite(big, at)
    return img


def write_all(folder, back, buttons, skins, icons):
    launcher(back, buttons, 0).save(os.path.join(folder, "launcher.png"))
    launcher(back, buttons, 1).save(os.path.join(folder, "launcher_hot.png"))
    skin(skins, icons[0]).resize((1440, 280), Image.NEAREST).save(os.path.join(folder, "skin.png"))
    sheet(back, buttons, skins, icons).save(os.path.join(folder, "sheet.png"))
    print(f"previews in {folder}")
