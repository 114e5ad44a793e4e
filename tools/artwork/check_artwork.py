#!/usr/bin/env python3
"""Checks the header fields of the installers' pictures and icons.

Run by hand after make_artwork.py: python3 tools/artwork/check_artwork.py
Standard library only. Prints one line per file and exits non-zero on the
first file that is not a 16-colour, uncompressed, bottom-up picture of the
expected size, or not a single-image 32 x 32 16-colour icon of 766 bytes.
"""

import os
import struct
import sys

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

PICTURES = {
    "zrsetup/resources/banner.bmp": (400, 144),
    "zrsetup/resources/welcome_strip.bmp": (400, 48),
    "zrsetup/resources/finished_strip.bmp": (400, 48),
    "gatesetup/resources/banner.bmp": (400, 144),
    "gatesetup/resources/start_strip.bmp": (400, 48),
    "gatesetup/resources/finished_strip.bmp": (400, 48),
}
ICONS = [
    "zrsetup/resources/zrsetup.ico",
    "zrsetup/resources/zricon.ico",
    "gatesetup/resources/gatesetup.ico",
    "payload/gatesetup/zricon.ico",
    "payload/zrsetup/BinDL/zricon.ico",
]


def fail(path, why):
    sys.exit(f"{path}: {why}")


def check_info_header(path, data, width, height):
    (size, w, h, planes, bits, compression, image_size, _, _, used,
     _) = struct.unpack_from("<IiiHHIIiiII", data, 0)
    if size != 40:
        fail(path, f"biSize {size}, want 40 (BITMAPINFOHEADER)")
    if (w, h) != (width, height):
        fail(path, f"{w} x {h}, want {width} x {height} (positive height: bottom-up)")
    if planes != 1 or bits != 4 or compression != 0:
        fail(path, f"planes {planes}, biBitCount {bits}, compression {compression}")
    if used not in (0, 16):
        fail(path, f"biClrUsed {used}")
    return image_size


def check_picture(path, width, height):
    data = open(os.path.join(REPO, path), "rb").read()
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    if magic != b"BM" or file_size != len(data):
        fail(path, f"magic {magic!r}, bfSize {file_size} for {len(data)} bytes")
    check_info_header(path, data[14:], width, height)
    stride = ((width * 4 + 31) // 32) * 4
    if offset != 14 + 40 + 16 * 4 or len(data) != offset + stride * height:
        fail(path, f"pixel offset {offset}, size {len(data)}")
    print(f"ok  {path}: {width} x {height}, 4 bpp, BI_RGB, bottom-up, {len(data)} bytes")


def check_icon(path):
    data = open(os.path.join(REPO, path), "rb").read()
    if len(data) != 766:
        fail(path, f"{len(data)} bytes, want 766")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind, count) != (0, 1, 1):
        fail(path, f"ICONDIR {reserved} {kind} {count}, want one icon image")
    w, h, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    if (w, h, colours, planes, bits, size, offset) != (32, 32, 16, 1, 4, 744, 22):
        fail(path, f"ICONDIRENTRY {w} {h} {colours} {planes} {bits} {size} {offset}")
    check_info_header(path, data[22:], 32, 64)
    print(f"ok  {path}: one 32 x 32 image, 16 colours, with AND mask, 766 bytes")


def main():
    for path, (width, height) in PICTURES.items():
        check_picture(path, width, height)
    for path in ICONS:
        check_icon(path)


if __name__ == "__main__":
    main()
