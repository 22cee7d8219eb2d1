#!/usr/bin/env python3
"""Draws the suite's application icon: a memory chip with a sparkle on it.

    make_icon.py ICON_FILE [PREVIEW_PNG]

writes ICON_FILE with four images, 16 x 16 and 32 x 32 in 16 and in 256
colours (Windows 95 shows no others, and reads no PNG inside an icon), and,
when asked, a PNG that shows the four images eight times enlarged on a light
and on a dark ground, for people to look at.

Each size is drawn pixel by pixel on its own grid, so the small one stays
crisp instead of being a blurred copy of the large one. The 256-colour
images shade the chip and its pins; the 16-colour ones use the standard
Windows palette only.
"""

import struct
import sys
import zlib

# The standard 16-colour palette of Windows, in palette order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# What each painted part looks like: (16-colour palette entry, 256-colour
# top shade, 256-colour bottom shade). The 256-colour images blend the two
# shades from the top of the part to its bottom.
PARTS = {
    "outline": (0, (0, 0, 64), (0, 0, 48)),
    "body": (12, (40, 110, 235), (0, 40, 150)),
    "light": (7, (150, 205, 255), (90, 160, 245)),
    "notch": (4, (0, 20, 90), (0, 20, 90)),
    "pin": (7, (235, 235, 240), (185, 185, 195)),
    "pin_shade": (0, (60, 60, 70), (40, 40, 50)),
    "thin_pin": (8, (120, 120, 130), (110, 110, 120)),
    "spark": (11, (255, 240, 90), (255, 200, 0)),
    "spark_core": (15, (255, 255, 255), (255, 255, 230)),
}


def chip(size):
    """The picture at one size: a dict from (x, y) to a part name."""
    px = {}
    if size == 32:
        left, right, top, bottom = 7, 25, 3, 28
        pin_rows = [(6 + 4 * i, 2) for i in range(5)]
        pin_left, pin_right = (3, 6), (26, 29)
        notch = [(14, 4), (15, 4), (16, 4), (17, 4), (18, 4), (15, 5), (16, 5), (17, 5)]
        spark = (16, 17, 8, 7)  # centre x, y; arm lengths down/up, sideways
        small_spark = (21, 8, 2)
    else:
        left, right, top, bottom = 4, 12, 1, 14
        pin_rows = [(3 + 3 * i, 1) for i in range(4)]
        pin_left, pin_right = (1, 3), (13, 15)
        notch = [(7, 2), (8, 2), (9, 2)]
        spark = (8, 8, 4, 3)
        small_spark = None

    for y0, height in pin_rows:
        for y in range(y0, y0 + height):
            # A light top and a dark underside read on light and dark
            # grounds alike; a one-pixel pin is a middle grey for the same.
            shade = "thin_pin" if height == 1 else "pin_shade" if y == y0 + height - 1 else "pin"
            for x in range(pin_left[0], pin_left[1] + 1):
                px[(x, y)] = shade
            for x in range(pin_right[0], pin_right[1] + 1):
                px[(x, y)] = shade
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            lit = not edge and (x == left + 1 or y == top + 1)
            px[(x, y)] = "outline" if edge else "light" if lit else "body"
    for p in notch:
        px[p] = "notch"

    cx, cy, vertical, sideways = spark

    def taper(distance):
        if size == 32:
            return 2 if distance <= 1 else 1 if distance <= 3 else 0
        return 1 if distance == 0 else 0

    for dy in range(-vertical, vertical + 1):
        for dx in range(-sideways, sideways + 1):
            ax, ay = abs(dx), abs(dy)
            # A four-pointed star: arms that taper from a full middle.
            if ax <= taper(ay) or ay <= taper(ax):
                core = ax + ay <= (1 if size == 16 else 2)
                px[(cx + dx, cy + dy)] = "spark_core" if core else "spark"
    if small_spark:
        sx, sy, r = small_spark
        for d in range(-r, r + 1):
            px[(sx + d, sy)] = "spark_core" if d == 0 else "spark"
            px[(sx, sy + d)] = "spark_core" if d == 0 else "spark"
    return px


def part_extent(px):
    """Top and bottom row of every part, for the 256-colour shading."""
    extent = {}
    for (_, y), part in px.items():
        lo, hi = extent.get(part, (y, y))
        extent[part] = (min(lo, y), max(hi, y))
    return extent


def rgb_at(px, extent, x, y, colours):
    part = px.get((x, y))
    if part is None:
        return None
    index, top, bottom = PARTS[part]
    if colours == 16:
        return VGA[index]
    lo, hi = extent[part]
    t = 0 if hi == lo else (y - lo) / (hi - lo)
    return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))


def image(size, colours):
    """One icon image: (header + palette + colour bits + mask, pixels)."""
    px = chip(size)
    extent = part_extent(px)
    pixels = [[rgb_at(px, extent, x, y, colours) for x in range(size)] for y in range(size)]
    if colours == 16:
        palette = list(VGA)
    else:
        palette = [(0, 0, 0)]
        for row in pixels:
            for c in row:
                if c is not None and c not in palette:
                    palette.append(c)
        if len(palette) > 256:
            sys.exit("make_icon: more than 256 colours")
        palette += [(0, 0, 0)] * (256 - len(palette))
    bits = 4 if colours == 16 else 8
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)

    def rows(values_of_row, bits_per_value):
        out = b""
        for y in reversed(range(size)):  # bottom-up
            acc, n, row = 0, 0, bytearray()
            for v in values_of_row(y):
                acc = (acc << bits_per_value) | v
                n += bits_per_value
                if n == 8:
                    row.append(acc)
                    acc, n = 0, 0
            while len(row) % 4:
                row.append(0)
            out += bytes(row)
        return out

    # Transparent pixels: black in the colour bits, set in the mask.
    colour_bits = rows(lambda y: [0 if c is None else palette.index(c) for c in pixels[y]], bits)
    mask = rows(lambda y: [1 if c is None else 0 for c in pixels[y]], 1)
    return header + pal + colour_bits + mask, pixels


def write_icon(path, images):
    count = len(images)
    offset = 6 + 16 * count
    directory = struct.pack("<HHH", 0, 1, count)
    data = b""
    for size, colours, blob in images:
        directory += struct.pack("<BBBBHHII", size, size, 16 if colours == 16 else 0, 0, 1,
                                 4 if colours == 16 else 8, len(blob), offset + len(data))
        data += blob
    with open(path, "wb") as f:
        f.write(directory + data)


def write_png(path, width, height, rgb_rows):
    raw = b"".join(b"\0" + bytes(v for c in row for v in c) for row in rgb_rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def preview(path, drawn):
    """The four images enlarged, on a light and on a dark ground."""
    zoom, gap = 8, 16
    grounds = [(212, 208, 200), (0, 64, 96)]
    width = gap + sum(size * zoom + gap for size, _, _ in drawn)
    height = gap + len(grounds) * (32 * zoom + gap)
    canvas = [[(255, 255, 255)] * width for _ in range(height)]
    for g, ground in enumerate(grounds):
        y0 = gap + g * (32 * zoom + gap)
        for y in range(y0 - gap // 2, y0 + 32 * zoom + gap // 2):
            canvas[y] = [ground] * width
        x0 = gap
        for size, _, pixels in drawn:
            for y in range(size * zoom):
                for x in range(size * zoom):
                    c = pixels[y // zoom][x // zoom]
                    canvas[y0 + y][x0 + x] = ground if c is None else c
            x0 += size * zoom + gap
    write_png(path, width, height, canvas)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    made = []
    for size in (16, 32):
        for colours in (16, 256):
            blob, pixels = image(size, colours)
            made.append((size, colours, blob, pixels))
    write_icon(sys.argv[1], [(s, c, b) for s, c, b, _ in made])
    if len(sys.argv) == 3:
        preview(sys.argv[2], [(s, c, p) for s, c, _, p in made])


if __name__ == "__main__":
    main()
