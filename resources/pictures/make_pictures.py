#!/usr/bin/env python3
"""Draws the application's two pictures and writes them as PNG files.

    Info32.png   the info icon of the main window, 32 by 32
    Rovi96.png   the emblem of the About window, 100 by 105

Run it from anywhere; it writes beside itself. Standard library only, so
that the pictures can be redrawn on any machine with Python 3. The output
is byte-for-byte reproducible.

Each picture is a list of layers painted back to front. A layer is a shape
(a test "is this point inside?") and a colour. Every pixel is sampled on a
SAMPLES x SAMPLES grid and the samples averaged, which gives the edges
their anti-aliasing.
"""

import math
import os
import struct
import zlib

SAMPLES = 8

# ---- shapes: functions of a point that say whether it is inside ----------

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r

def ring(cx, cy, outer, inner):
    return lambda x, y: inner * inner < (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer

def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        # Distance from the rectangle shrunk by r, compared with r.
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside

def capsule(ax, ay, bx, by, r):
    """A thick line from (ax, ay) to (bx, by) with round ends."""
    vx, vy = bx - ax, by - ay
    length2 = vx * vx + vy * vy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / length2))
        px, py = ax + t * vx - x, ay + t * vy - y
        return px * px + py * py <= r * r
    return inside

def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)

def arc_band(cx, cy, outer, inner, from_deg, to_deg):
    """Part of a ring between two angles (degrees, y pointing down)."""
    band = ring(cx, cy, outer, inner)

    def inside(x, y):
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return band(x, y) and from_deg <= angle <= to_deg
    return inside

def magnified(shape, cx, cy, factor):
    """The shape as seen through a lens at (cx, cy) that enlarges by factor."""
    return lambda x, y: shape(cx + (x - cx) / factor, cy + (y - cy) / factor)

def shifted(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)

# ---- colours --------------------------------------------------------------

def rgb(hex_code, alpha=1.0):
    value = int(hex_code.lstrip("#"), 16)
    return ((value >> 16) / 255, ((value >> 8) & 255) / 255, (value & 255) / 255, alpha)

def vertical_gradient(top, bottom, y0, y1):
    """A colour that runs from top at y0 to bottom at y1."""
    def colour(_x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour

# ---- the rasteriser --------------------------------------------------------

def colour_at(fill, x, y):
    return fill(x, y) if callable(fill) else fill

def sample(layers, x, y):
    """Premultiplied colour of one sample point, layers painted in order."""
    r = g = b = a = 0.0
    for shape, fill in layers:
        if shape(x, y):
            sr, sg, sb, sa = colour_at(fill, x, y)
            keep = 1.0 - sa
            r, g, b, a = sr * sa + r * keep, sg * sa + g * keep, sb * sa + b * keep, sa + a * keep
    return r, g, b, a

def to_byte(value):
    return max(0, min(255, round(value * 255)))

def render(width, height, layers):
    """Rows of RGBA bytes (straight alpha, as PNG wants)."""
    step = 1.0 / SAMPLES
    offsets = [(i + 0.5) * step for i in range(SAMPLES)]
    count = SAMPLES * SAMPLES
    rows = []
    for py in range(height):
        row = bytearray()
        for px in range(width):
            total = [0.0, 0.0, 0.0, 0.0]
            for oy in offsets:
                for ox in offsets:
                    for k, v in enumerate(sample(layers, px + ox, py + oy)):
                        total[k] += v
            r, g, b, a = (v / count for v in total)
            if a > 0:
                r, g, b = r / a, g / a, b / a
            row += bytes((to_byte(r), to_byte(g), to_byte(b), to_byte(a)))
        rows.append(bytes(row))
    return rows

def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

def write_png(path, width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(png_chunk(b"IEND", b""))

# ---- the pictures ---------------------------------------------------------

def info_icon():
    """A blue disc with a white "i", on a transparent ground."""
    c, r = 16.0, 15.0
    return [
        (disc(c, c, r), vertical_gradient(rgb("#5aa0ea"), rgb("#1d5fb8"), 1.0, 31.0)),
        (ring(c, c, r, r - 1.0), rgb("#154a8f", 0.55)),
        (disc(c, 9.0, 2.4), rgb("#ffffff")),
        (rounded_rect(13.9, 13.0, 18.1, 24.6, 1.2), rgb("#ffffff")),
    ]

def about_emblem():
    """A 2x2 table of test result by disorder under a magnifying glass.

    The columns are disorder present (teal) and absent (terracotta); the
    rows are test positive (strong) and negative (pale). The lens sits on
    the middle of the table and shows it enlarged.
    """
    dx, dy = -0.75, 1.75  # centres the drawing on the 100 by 105 canvas
    cell, gap, left, corner = 30.0, 3.0, 8.0, 3.0
    near, far = left, left + cell + gap
    cells = [
        (rounded_rect(near, near, near + cell, near + cell, corner), rgb("#1b8a8f")),
        (rounded_rect(far, near, far + cell, near + cell, corner), rgb("#e07a5f")),
        (rounded_rect(near, far, near + cell, far + cell, corner), rgb("#a9d6d8")),
        (rounded_rect(far, far, far + cell, far + cell, corner), rgb("#f3c6b8")),
    ]
    centre = left + cell + gap / 2
    inner, outer = 19.0, 24.0
    glass = disc(centre, centre, inner)
    lens = [(glass, rgb("#f4f8fa"))]
    lens += [(both(glass, magnified(shape, centre, centre, 1.35)), fill) for shape, fill in cells]
    lens += [(both(glass, arc_band(centre, centre, inner - 2.5, inner - 5.0, 200, 250)),
              rgb("#ffffff", 0.6))]
    frame = "#2e4057"
    handle = capsule(centre + 17.0, centre + 17.0, 88.0, 88.0, 5.5)
    shadow = [(shifted(disc(centre, centre, outer), 1.5, 1.5), rgb("#000000", 0.15)),
              (shifted(handle, 1.5, 1.5), rgb("#000000", 0.15))]
    layers = cells + shadow + lens + [
        (handle, rgb(frame)),
        (ring(centre, centre, outer, inner), rgb(frame)),
    ]
    return [(shifted(shape, dx, dy), fill) for shape, fill in layers]

PICTURES = [
    ("Info32.png", 32, 32, info_icon),
    ("Rovi96.png", 100, 105, about_emblem),
]

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, width, height, draw in PICTURES:
        write_png(os.path.join(here, name), width, height, render(width, height, draw()))
        print("wrote", name)

if __name__ == "__main__":
    main()
