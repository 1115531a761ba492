"""Writers for the three file formats the resource script embeds.

Written by hand rather than through PIL's savers so that every byte is
fixed: no timestamps, no resolution chunks that vary, no PNG-compressed
icon entries (classic icon entries load everywhere).
"""

import struct
import zlib


def png_bytes(image):
    """RGBA PNG with IHDR, one IDAT and IEND only."""
    image = image.convert("RGBA")
    width, height = image.size
    raw = image.tobytes()
    stride = width * 4
    rows = b"".join(b"\x00" + raw[y * stride:(y + 1) * stride] for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def _bottom_up_rows(image, bytes_per_pixel, mode):
    width, height = image.size
    data = image.tobytes("raw", mode)
    stride = width * bytes_per_pixel
    padded = (stride + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = data[y * stride:(y + 1) * stride]
        rows.append(row + b"\x00" * (padded - stride))
    return b"".join(rows)


def bmp24_bytes(image):
    """24-bit BI_RGB bitmap: 14-byte file header, 40-byte info header, no
    colour table, so the pixels start at offset 54."""
    width, height = image.size
    pixels = _bottom_up_rows(image.convert("RGB"), 3, "BGR")
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 54)
    return header + info + pixels


def _icon_entry(image):
    """One icon image: 32-bit BGRA colour rows plus the 1-bit AND mask."""
    image = image.convert("RGBA")
    width, height = image.size
    colour = _bottom_up_rows(image, 4, "BGRA")
    mask_stride = ((width + 31) // 32) * 4
    alpha = image.getchannel("A")
    mask = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(width):
            if alpha.getpixel((x, y)) == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + colour + bytes(mask)


def ico_bytes(images):
    """An .ico file holding the given square images, smallest first."""
    entries = [_icon_entry(image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, entry in zip(images, entries):
        size = image.size[0]
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(entry), offset)
        offset += len(entry)
    return out + b"".join(entries)
