#!/usr/bin/env python3
"""Draws Dusklock's program icon and writes it as an ICO file.

The icon holds two 32-bit images, 128x128 first and 48x48 second (BMP-in-ICO: a
BITMAPINFOHEADER with the doubled height, bottom-up BGRA rows, then the 1-bit AND mask).
The picture: a dusk-blue disc with a pale crescent moon and a power symbol (an open ring
with a bar through its gap) in its lower right. Edges are anti-aliased by supersampling.

    tools/make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SUPERSAMPLE = 4


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def shade(u, v):
    """Colour (r, g, b, a) in 0..1 of the design at unit coordinates u, v (0..1, y down)."""
    cx, cy, r = 0.5, 0.5, 0.47
    d = math.hypot(u - cx, v - cy)
    if d > r:
        return (0.0, 0.0, 0.0, 0.0)
    # Dusk sky: deep indigo at the top, warmer violet towards the horizon.
    sky = mix((0.10, 0.12, 0.33), (0.42, 0.22, 0.45), max(0.0, min(1.0, v)))
    colour = sky
    # Rim.
    if d > r - 0.035:
        colour = (0.93, 0.80, 0.45)
    # Crescent moon: a disc minus an offset disc.
    mx, my, mr = 0.40, 0.38, 0.22
    if math.hypot(u - mx, v - my) < mr and math.hypot(u - (mx + 0.10), v - (my - 0.07)) > mr * 0.86:
        colour = (0.98, 0.92, 0.62)
    # Power symbol in the lower right.
    px, py, pr, pw = 0.66, 0.66, 0.15, 0.045
    pd = math.hypot(u - px, v - py)
    angle = math.degrees(math.atan2(u - px, -(v - py)))  # 0 at the top, clockwise
    in_ring = abs(pd - pr) < pw / 2 and abs(angle) > 40
    in_bar = abs(u - px) < pw / 2 and py - pr - pw * 0.6 < v < py - 0.02
    if in_ring or in_bar:
        colour = (1.0, 1.0, 1.0)
    return colour + (1.0,)


def render(size):
    """BGRA rows, top row first, premultiplication not applied (ICO alpha is straight)."""
    rows = []
    n = SUPERSAMPLE
    for y in range(size):
        row = bytearray()
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = shade((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3] > 0:
                r, g, b = (acc[i] / acc[3] for i in range(3))
            else:
                r = g = b = 0.0
            row += bytes((round(b * 255), round(g * 255), round(r * 255), round(alpha * 255)))
        rows.append(bytes(row))
    return rows


def image_bytes(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[x * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def icon_file(sizes):
    images = [image_bytes(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as f:
        f.write(icon_file([128, 48]))


if __name__ == "__main__":
    main()
