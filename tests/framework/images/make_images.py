#!/usr/bin/env python3
"""Writes the image button's test pictures: 20 x 10 RGBA, one colour each.
Columns 0-9 are opaque, 10-14 half transparent (alpha 128), 15-19 clear."""
import struct
import zlib
from pathlib import Path


def png(path, rgb):
    rows = b""
    for _ in range(10):
        row = b"\x00"
        for x in range(20):
            alpha = 255 if x < 10 else 128 if x < 15 else 0
            row += bytes(rgb) + bytes([alpha])
        rows += row

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", 20, 10, 8, 6, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                     chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


here = Path(__file__).parent
png(here / "normal.png", (255, 0, 0))
png(here / "hot.png", (0, 255, 0))
png(here / "disabled.png", (0, 0, 255))
