#!/usr/bin/python3
"""Draws every picture of the program's resource script into res/.

The pictures are committed; the build never runs this. Needs Debian's
python3-pil, fonts-wqy-microhei and fonts-dejavu-core. The output is
deterministic: the same inputs give the same bytes.

    tools/resgen/make_resources.py [--preview DIR]
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import fileformats  # noqa: E402
from background import background  # noqa: E402
from icon import program_icons  # noqa: E402
from launcher_buttons import launcher_buttons  # noqa: E402
from layout import BUTTONS  # noqa: E402
from skin import skin_bitmaps  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
RES = os.path.join(ROOT, "res")


def write(relative, data):
    path = os.path.join(RES, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{relative:32} {len(data):8} bytes")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write preview sheets into DIR")
    args = parser.parse_args()

    back = background()
    write("png/background.png", fileformats.png_bytes(back))
    buttons = launcher_buttons(BUTTONS)
    for name, (normal, hot) in buttons.items():
        write(f"png/{name}_normal.png", fileformats.png_bytes(normal))
        write(f"png/{name}_hot.png", fileformats.png_bytes(hot))
    skins = skin_bitmaps()
    for _, (file_name, image) in sorted(skins.items()):
        write(f"skin/{file_name}", fileformats.bmp24_bytes(image))
    write("Vorn_Login.ico", fileformats.ico_bytes(program_icons()))

    if args.preview:
        import preview
        os.makedirs(args.preview, exist_ok=True)
        preview.write_all(args.preview, back, buttons, skins, program_icons())


if __name__ == "__main__":
    main()
