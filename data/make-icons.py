#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the map's two icons and writes them as .ico files (32-bit with alpha),
each with a picture at its size and one at twice the size for 2x screens.

dot.ico:  the city marker. The map puts the icon's top-left corner one pixel
          up and left of the city, so the marker's centre is pixel (1, 1): a
          3 x 3 dot with a soft shadow to the lower right, like the labels'.
sun1.ico: the sun, a disc with eight rays, drawn centred on the sub-solar
          point.

Usage: data/make-icons.py [output-folder]   (default: the folder of this script)
"""
import math
import os
import struct
import sys

SUPER = 8  # supersampling per axis for smooth edges


def dib_bytes(width, height, pixels):
    """One icon picture; pixels: rows top to bottom of (r, g, b, a) tuples."""
    xor = bytearray()
    for row in reversed(pixels):  # a DIB is stored bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    and_row = ((width + 31) // 32) * 4
    and_mask = bytes(and_row * height)  # all opaque; the alpha channel decides
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + bytes(xor) + and_mask


def ico_bytes(pictures):
    """pictures: (width, height, pixels), the icon's own size first."""
    images = [dib_bytes(*p) for p in pictures]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (width, height, _), image in zip(pictures, images):
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def render(width, height, coverage, scale=1):
    """coverage(x, y) -> (r, g, b, a) with a in 0..1 at a sample point of the
    icon's own size; averaged per pixel of a picture scale times as large."""
    width, height = width * scale, height * scale
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    r, g, b, a = coverage((px + (sx + 0.5) / SUPER) / scale, (py + (sy + 0.5) / SUPER) / scale)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUPER * SUPER
            a = acc[3] / n
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                # straight (not premultiplied) colour, as icons store it
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3)) + (round(a * 255),))
        rows.append(row)
    return rows


def dot(x, y):
    # core: a 3 x 3 square centred on pixel (1, 1) with softened corners
    cx, cy = 1.5, 1.5
    d = max(abs(x - cx), abs(y - cy))
    r = math.hypot(x - cx, y - cy)
    if d <= 1.5 and r <= 1.9:
        light = r < 0.7
        return (255, 235, 120, 1.0) if light else (235, 40, 30, 1.0)
    # shadow one pixel to the lower right
    sd = math.hypot(x - cx - 1, y - cy - 1)
    if sd <= 1.9:
        return (0, 0, 0, 0.55)
    return (0, 0, 0, 0.0)


def sun(x, y):
    c = 8.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy)
    if r <= 3.6:
        t = r / 3.6
        return (255, round(250 - 40 * t), round(150 - 120 * t), 1.0)
    if r <= 4.4:
        return (235, 140, 0, 1.0)  # rim
    if 5.2 <= r <= 7.8:
        ang = math.atan2(dy, dx)
        k = round(ang / (math.pi / 4))
        off = abs(ang - k * math.pi / 4) * r  # distance from the ray's axis
        width = 0.9 * (7.8 - r) / 2.6 + 0.35  # tapering
        if off <= width:
            return (255, 200, 0, 1.0)
    return (0, 0, 0, 0.0)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, size, fn in (("dot.ico", 4, dot), ("sun1.ico", 16, sun)):
        pictures = [(size * k, size * k, render(size, size, fn, k)) for k in (1, 2)]
        with open(os.path.join(out, name), "wb") as f:
            f.write(ico_bytes(pictures))
        print("wrote", os.path.join(out, name))


if __name__ == "__main__":
    main()
