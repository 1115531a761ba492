"""Drawing helpers shared by the pictures: gradients, shapes, glow, text."""

import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

# Debian's fonts-wqy-microhei (Chinese) and fonts-dejavu-core (the logo).
CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
LOGO_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"

SUPERSAMPLE = 4   # shapes are drawn this much larger, then reduced


def font(size, path=CJK_FONT):
    if not os.path.exists(path):
        raise SystemExit(f"font missing: {path} (install fonts-wqy-microhei and fonts-dejavu-core)")
    return ImageFont.truetype(path, size)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(size, stops):
    """RGB(A) image whose rows run through the (position 0..1, colour) stops."""
    width, height = size
    mode = "RGBA" if len(stops[0][1]) == 4 else "RGB"
    column = Image.new(mode, (1, height))
    for y in range(height):
        t = y / max(1, height - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                column.putpixel((0, y), lerp(c0, c1, (t - p0) / max(1e-9, p1 - p0)))
                break
    return column.resize((width, height), Image.NEAREST)


def gradient_in_box(size, box, stops):
    """A vertical gradient that runs from the box's top to its bottom and
    keeps the end colours above and below it."""
    width, height = size
    top, bottom = box[1], box[3]
    span = max(1, bottom - top)
    clamped = [(0, stops[0][1])]
    for p, colour in stops:
        clamped.append(((top + p * span) / max(1, height - 1), colour))
    clamped.append((1, stops[-1][1]))
    clamped = [(min(1.0, max(0.0, p)), c) for p, c in clamped]
    return vertical_gradient(size, clamped)


def horizontal_gradient(size, stops):
    width, height = size
    return vertical_gradient((height, width), stops).transpose(Image.TRANSPOSE)


def rounded_mask(size, box, radius, ss=SUPERSAMPLE):
    """Anti-aliased 'L' mask of a rounded rectangle (box in pixels)."""
    width, height = size
    big = Image.new("L", (width * ss, height * ss), 0)
    l, t, r, b = box
    ImageDraw.Draw(big).rounded_rectangle(
        (l * ss, t * ss, r * ss - 1, b * ss - 1), radius * ss, fill=255)
    return big.resize(size, Image.LANCZOS)


def ellipse_mask(size, box, ss=SUPERSAMPLE):
    width, height = size
    big = Image.new("L", (width * ss, height * ss), 0)
    l, t, r, b = box
    ImageDraw.Draw(big).ellipse((l * ss, t * ss, r * ss - 1, b * ss - 1), fill=255)
    return big.resize(size, Image.LANCZOS)


def polygon_mask(size, points, ss=SUPERSAMPLE):
    width, height = size
    big = Image.new("L", (width * ss, height * ss), 0)
    ImageDraw.Draw(big).polygon([(x * ss, y * ss) for x, y in points], fill=255)
    return big.resize(size, Image.LANCZOS)


def line_mask(size, points, line_width, ss=SUPERSAMPLE):
    width, height = size
    big = Image.new("L", (width * ss, height * ss), 0)
    ImageDraw.Draw(big).line([(x * ss, y * ss) for x, y in points],
                             fill=255, width=int(round(line_width * ss)), joint="curve")
    return big.resize(size, Image.LANCZOS)


def fill(canvas, colour_or_image, mask):
    """Paint a colour (or an image of the canvas size) through a mask."""
    if isinstance(colour_or_image, tuple):
        layer = Image.new("RGBA", canvas.size, colour_or_image[:3] + (255,))
        if len(colour_or_image) == 4:
            mask = ImageChops.multiply(mask, Image.new("L", canvas.size, colour_or_image[3]))
    else:
        layer = colour_or_image.convert("RGBA")
    layer.putalpha(ImageChops.multiply(mask, layer.getchannel("A")))
    canvas.alpha_composite(layer)


def glow(canvas, mask, colour, radius, strength=1.0):
    """A soft halo of the mask's shape, blurred by radius."""
    halo = mask.filter(ImageFilter.GaussianBlur(radius))
    if strength != 1.0:
        halo = halo.point(lambda v: min(255, int(v * strength)))
    fill(canvas, colour, halo)


def text_mask(size, origin, text, face, anchor="la"):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).text(origin, text, font=face, fill=255, anchor=anchor)
    return mask


def text_box(text, face):
    return ImageDraw.Draw(Image.new("L", (1, 1))).textbbox((0, 0), text, font=face)


def stroke_mask(mask, width):
    """The mask grown by width pixels in every direction (an outline)."""
    return mask.filter(ImageFilter.MaxFilter(2 * width + 1))


def shift(mask, dx, dy):
    return ImageChops.offset(mask, dx, dy)


def flatten(image, background):
    """An RGBA picture composed over an opaque colour or image."""
    if isinstance(background, tuple):
        base = Image.new("RGBA", image.size, background + (255,))
    else:
        base = background.convert("RGBA").copy()
    base.alpha_composite(image)
    return base.convert("RGB")
