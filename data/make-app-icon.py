#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the program's icon for the desktop's icon theme: a globe with its
night side, in the colours of the globe the program draws for its window and
tray. One description of the shapes gives both the scalable SVG and the PNGs
(rasterised here with supersampling, so nothing but Python is needed).

Usage: data/make-app-icon.py [output-folder]   (default: data/icons beside this script)
Writes hicolor/<n>x<n>/apps/tavrel-world-clock.png for the theme's sizes and
hicolor/scalable/apps/tavrel-world-clock.svg.
"""
import importlib.util
import math
import os
import struct
import sys
import zlib

_HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("make_icons", os.path.join(_HERE, "make-icons.py"))
ICONS = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(ICONS)

NAME = "tavrel-world-clock"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
INK = (0x1F, 0x3B, 0x63)
SEA = (0x2E, 0x7D, 0xC8)
LAND = (0x4C, 0xAF, 0x50)
NIGHT = (0x0B, 0x14, 0x3A)

# The design on a 256 x 256 canvas: the globe's disc, land as ellipses
# (cx, cy, rx, ry), the night side beyond an elliptic terminator.
C, R = 128.0, 118.0
LANDS = [(92, 88, 44, 38), (170, 150, 40, 52), (80, 176, 26, 20)]
TERMINATOR_RX = 46.0  # the lit half ends in a half ellipse right of centre
OUTLINE = 8.0
GRID = 3.5


def in_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def near_ellipse(x, y, cx, cy, rx, ry, width):
    d = math.hypot((x - cx) / rx, (y - cy) / ry)
    return abs(d - 1.0) * min(rx, ry) <= width / 2


def blend(under, over, alpha):
    return tuple(u + (o - u) * alpha for u, o in zip(under, over))


def sample(x, y):
    """RGBA (0-255, 0-1 alpha) of the design at canvas point (x, y)."""
    r = math.hypot(x - C, y - C)
    if r > R + OUTLINE / 2:
        return (0, 0, 0, 0.0)
    if r > R - OUTLINE / 2:
        return INK + (1.0,)
    col = SEA
    for e in LANDS:
        if in_ellipse(x, y, *e):
            col = LAND
    # Meridian and equator, thin and light.
    if near_ellipse(x, y, C, C, R * 0.42, R, GRID) or abs(y - C) <= GRID / 2:
        col = blend(col, (255, 255, 255), 0.45)
    # Night: right of the terminator.
    if x > C and not in_ellipse(x, y, C, C, TERMINATOR_RX, R):
        col = blend(col, NIGHT, 0.62)
    return col + (1.0,)


def render(size):
    """Rows of RGBA bytes, supersampled by the map icons' own renderer."""
    scale = 256.0 / size
    rows = ICONS.render(size, size, lambda x, y: sample(x * scale, y * scale))
    return [bytes(v for px in row for v in px) for row in rows]


def png_bytes(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def hexcol(c):
    return "#%02x%02x%02x" % c


def svg_text():
    lands = "\n".join(
        f'    <ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="{hexcol(LAND)}"/>' for cx, cy, rx, ry in LANDS)
    night = (f"M {C} {C - R} A {TERMINATOR_RX} {R} 0 0 1 {C} {C + R} L 256 {C + R} L 256 {C - R} Z")
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Tavrel World Clock</title>
  <defs><clipPath id="globe"><circle cx="{C}" cy="{C}" r="{R}"/></clipPath></defs>
  <g clip-path="url(#globe)">
    <rect width="256" height="256" fill="{hexcol(SEA)}"/>
{lands}
    <ellipse cx="{C}" cy="{C}" rx="{R * 0.42}" ry="{R}" fill="none" stroke="#ffffff" stroke-opacity="0.45" stroke-width="{GRID}"/>
    <line x1="0" y1="{C}" x2="256" y2="{C}" stroke="#ffffff" stroke-opacity="0.45" stroke-width="{GRID}"/>
    <path d="{night}" fill="{hexcol(NIGHT)}" fill-opacity="0.62"/>
  </g>
  <circle cx="{C}" cy="{C}" r="{R}" fill="none" stroke="{hexcol(INK)}" stroke-width="{OUTLINE}"/>
</svg>
'''


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    for size in SIZES:
        folder = os.path.join(out, "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, NAME + ".png"), "wb") as f:
            f.write(png_bytes(size, render(size)))
    folder = os.path.join(out, "hicolor", "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, NAME + ".svg"), "w", encoding="utf-8") as f:
        f.write(svg_text())


if __name__ == "__main__":
    main()
