#!/usr/bin/env python3
"""Writes the skin tests' pictures with known pixels, and the resource script
that puts them in the test program: PNG 7001 (RGBA), bitmap 7002 (24-bit)."""
import struct
import sys
import zlib
from pathlib import Path

# 8 by 4 pixels (r, g, b, a): the top half differs from the bottom half, so a
# picture drawn upside down is caught.
TOP = [(255, 0, 0, 255), (0, 255, 0, 128), (0, 0, 255, 0), (255, 255, 255, 64)]
BOTTOM = [(255, 255, 0, 255), (0, 128, 255, 255), (10, 20, 30, 200), (200, 100, 50, 1)]
WIDTH, HEIGHT = 8, 4


def pixel(x, y):
    row = TOP if y < HEIGHT // 2 else BOTTOM
    return row[x // 2]


def png():
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(WIDTH)) for y in range(HEIGHT))
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def bmp():
    # 3 by 2, 24-bit, bottom-up rows padded to 4 bytes.
    colours = [[(255, 0, 255), (0, 0, 0), (12, 34, 56)], [(255, 255, 255), (1, 1, 1), (200, 150, 100)]]
    rows = b""
    for row in reversed(colours):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += line + b"\0" * (-len(line) % 4)
    info = struct.pack("<IiiHHIIiiII", 40, 3, 2, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(rows), 0, 0, 14 + len(info)) + info + rows


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "test_picture.png").write_bytes(png())
    (out / "test_bitmap.bmp").write_bytes(bmp())
    (out / "test_pictures.rc").write_text(
        '7001 PNG "test_picture.png"\n7002 BITMAP "test_bitmap.bmp"\n')


main()
