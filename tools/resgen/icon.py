"""Program icon 128: a gold-ringed night-blue gem with the letter A."""

from PIL import Image

import paint

SIZES = (16, 32, 48)


def _icon(size):
    # Drawn at four times the size and reduced; the 16-pixel one gets a
    # heavier ring and letter so it stays readable in the caption and tray.
    big = size * 4
    canvas = (big, big)
    img = Image.new("RGBA", canvas, (0, 0, 0, 0))
    ring = 0.10 if size > 16 else 0.14
    paint.fill(img, paint.vertical_gradient(canvas, [(0, (255, 232, 160)), (0.5, (214, 166, 80)), (1, (110, 70, 28))]),
               paint.ellipse_mask(canvas, (0, 0, big, big), 1))
    inset = big * ring
    paint.fill(img, paint.vertical_gradient(canvas, [(0, (70, 64, 150)), (0.6, (30, 24, 80)), (1, (12, 10, 36))]),
               paint.ellipse_mask(canvas, (inset, inset, big - inset, big - inset), 1))
    gloss = paint.ellipse_mask(canvas, (big * 0.25, big * 0.16, big * 0.75, big * 0.48), 1)
    paint.fill(img, (255, 255, 255, 40), gloss)
    face = paint.font(int(big * (0.62 if size > 16 else 0.70)), paint.LOGO_FONT)
    letter = paint.text_mask(canvas, (big / 2, big * 0.53), "A", face, anchor="mm")
    paint.glow(img, letter, (255, 210, 120), big * 0.06, 1.2)
    paint.fill(img, paint.vertical_gradient(canvas, [(0, (255, 246, 210)), (1, (226, 170, 70))]), letter)
    return img.resize((size, size), Image.LANCZOS)


def program_icons():
    return [_icon(size) for size in SIZES]
