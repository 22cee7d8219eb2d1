#!/usr/bin/env python3
"""Makes the suite's background pictures and its default sound.

Everything is computed from fixed seeds, so a second run gives the same
files. Only the standard library is used; JPEG files are encoded by cjpeg.

    make_pictures.py RESOURCES_DIR

writes RESOURCES_DIR/pictures/default-background.jpg, the pictures in
RESOURCES_DIR/backgrounds/ and RESOURCES_DIR/sounds/default.wav.

Every picture is tiled edge to edge by the shell, so every texture here is
periodic over its own width and height. All of them stay light and calm:
the pages write black and navy text straight on top of them.
"""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave


# --- periodic noise ---------------------------------------------------------


class TileNoise:
    """Value noise on a lattice that wraps around, so it tiles seamlessly."""

    def __init__(self, seed, cells_x, cells_y):
        rng = random.Random(seed)
        self.cx, self.cy = cells_x, cells_y
        self.grid = [[rng.random() for _ in range(cells_x)] for _ in range(cells_y)]

    def at(self, u, v):
        """u, v in [0, 1): the fraction of the picture's width and height."""
        x, y = u * self.cx, v * self.cy
        i, j = int(x), int(y)
        fx, fy = x - i, y - j
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)
        i0, j0 = i % self.cx, j % self.cy
        i1, j1 = (i + 1) % self.cx, (j + 1) % self.cy
        g = self.grid
        top = g[j0][i0] + (g[j0][i1] - g[j0][i0]) * fx
        bottom = g[j1][i0] + (g[j1][i1] - g[j1][i0]) * fx
        return top + (bottom - top) * fy


class Fractal:
    """A few octaves of TileNoise; values roughly in [0, 1]."""

    def __init__(self, seed, cells_x, cells_y, octaves, falloff=0.5):
        self.layers = []
        amp, total = 1.0, 0.0
        for k in range(octaves):
            self.layers.append((amp, TileNoise(seed * 101 + k, cells_x << k, cells_y << k)))
            total += amp
            amp *= falloff
        self.total = total

    def at(self, u, v):
        return sum(a * n.at(u, v) for a, n in self.layers) / self.total


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# --- writers ------------------------------------------------------------------


def write_pnm(path, width, height, pixels, grey):
    """pixels: rows of grey values or of (r, g, b) tuples."""
    with open(path, "wb") as f:
        f.write(b"P%d\n%d %d\n255\n" % (5 if grey else 6, width, height))
        out = bytearray()
        for row in pixels:
            for p in row:
                if grey:
                    out.append(clamp(p))
                else:
                    out.extend(clamp(c) for c in p)
        f.write(out)


def write_jpeg(path, width, height, pixels, grey, quality=90):
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.pnm")
        write_pnm(src, width, height, pixels, grey)
        args = ["cjpeg", "-quality", str(quality), "-optimize", "-dct", "int"]
        if grey:
            args.append("-grayscale")
        subprocess.run(args + ["-outfile", path, src], check=True)


def bmp_headers(width, height, bits, palette_size, stride):
    image_size = stride * height
    offset = 14 + 40 + 4 * palette_size
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, palette_size, 0)
    return file_header + info


def write_bmp24(path, width, height, pixels):
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line.extend((clamp(b), clamp(g), clamp(r)))
        line.extend(b"\0" * (stride - len(line)))
        data.extend(line)
    with open(path, "wb") as f:
        f.write(bmp_headers(width, height, 24, 0, stride) + data)


def write_bmp8(path, width, height, indices, palette):
    """An 8-bit palette picture: indices are rows of palette positions."""
    stride = (width + 3) & ~3
    data = bytearray()
    for row in reversed(indices):
        line = bytearray(row)
        line.extend(b"\0" * (stride - len(line)))
        data.extend(line)
    pal = bytearray()
    for r, g, b in palette:
        pal.extend((b, g, r, 0))
    with open(path, "wb") as f:
        f.write(bmp_headers(width, height, 8, len(palette), stride) + pal + data)


def grid(width, height, fn):
    return [[fn(x, y) for x in range(width)] for y in range(height)]


# --- the pictures ---------------------------------------------------------------


def default_background():
    """128 x 128 grey stone: soft clouds with a fine grain, in a narrow light
    band so that black and navy text stays readable over it."""
    w = h = 128
    clouds = Fractal(7, 4, 4, 4)
    grain = random.Random(70)
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            c = clouds.at(x / w, y / h)
            row.append(200 + 26 * c + grain.uniform(-3, 3))
        rows.append(row)
    return w, h, rows


def mist():
    """256 x 256 blue-grey haze."""
    w = h = 256
    clouds = Fractal(11, 4, 4, 5, 0.55)
    low, high = (188, 202, 222), (236, 241, 248)
    return w, h, grid(w, h, lambda x, y: mix(low, high, clouds.at(x / w, y / h)))


def sand():
    """100 x 60 warm sand; the small one, for a close tiling."""
    w, h = 100, 60
    dunes = Fractal(23, 5, 3, 3)
    grain = random.Random(230)

    def px(x, y):
        t = dunes.at(x / w, y / h)
        g = grain.uniform(-7, 7)
        return tuple(c + g for c in mix((214, 198, 164), (236, 224, 196), t))

    return w, h, grid(w, h, px)


def linen():
    """192 x 144 woven linen: crossing threads with uneven slubs."""
    w, h = 192, 144
    slub = Fractal(31, 12, 36, 2)
    slub2 = Fractal(37, 48, 9, 2)
    grain = random.Random(310)
    base = (238, 233, 220)

    def px(x, y):
        warp = math.sin(2 * math.pi * x * 48 / w)  # a thread every 4 pixels
        weft = math.sin(2 * math.pi * y * 36 / h)
        shade = 5 * warp * (0.6 + slub.at(x / w, y / h)) + 5 * weft * (0.6 + slub2.at(x / w, y / h))
        shade += grain.uniform(-2, 2)
        return tuple(c + shade - 4 for c in base)

    return w, h, grid(w, h, px)


def marble():
    """320 x 240 pale marble with grey-green veins."""
    w, h = 320, 240
    turb = Fractal(41, 4, 3, 5)
    stone = Fractal(43, 8, 6, 3)
    light, vein = (234, 236, 230), (170, 182, 176)

    def px(x, y):
        u, v = x / w, y / h
        phase = 2 * math.pi * (2 * u + v) + 9 * turb.at(u, v)
        s = abs(math.sin(phase))
        t = (1 - s) ** 6  # thin dark veins where the sine crosses zero
        base = mix(light, (222, 225, 218), stone.at(u, v))
        return mix(base, vein, t * 0.8)

    return w, h, grid(w, h, px)


def graph_paper():
    """160 x 120 pale blue graph paper as an 8-bit palette picture."""
    w, h = 160, 120
    palette = [(228, 236, 246), (208, 220, 238), (176, 196, 228)]

    def index(x, y):
        if x % 20 == 0 or y % 20 == 0:
            return 2
        if x % 5 == 0 or y % 5 == 0:
            return 1
        return 0

    return w, h, grid(w, h, index), palette


# --- the sound ------------------------------------------------------------------


def chime(path):
    """A soft two-note chime, a little under half a second, 16-bit mono."""
    rate = 22050
    length = int(rate * 0.45)
    notes = [(0.0, 1046.5), (0.09, 1568.0)]  # C6, then G6
    samples = []
    for i in range(length):
        t = i / rate
        v = 0.0
        for start, f in notes:
            if t < start:
                continue
            d = t - start
            attack = min(1.0, d / 0.004)
            decay = math.exp(-d * 9.0)
            # A faint octave over the fundamental gives it a bell's ring.
            v += attack * decay * (math.sin(2 * math.pi * f * d) + 0.25 * math.sin(2 * math.pi * 2 * f * d))
        # Fade the last 40 ms to silence so that the end does not click.
        tail = (length - i) / (rate * 0.04)
        if tail < 1:
            v *= tail
        samples.append(v)
    peak = max(abs(s) for s in samples)
    scale = 0.5 * 32767 / peak  # about -6 dB at its loudest
    with wave.open(path, "wb") as f:
        f.setnchannels(1)
        f.setsampwidth(2)
        f.setframerate(rate)
        f.writeframes(b"".join(struct.pack("<h", int(round(s * scale))) for s in samples))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_pictures.py RESOURCES_DIR")
    res = sys.argv[1]
    pictures = os.path.join(res, "pictures")
    backgrounds = os.path.join(res, "backgrounds")
    sounds = os.path.join(res, "sounds")
    for d in (pictures, backgrounds, sounds):
        os.makedirs(d, exist_ok=True)

    w, h, rows = default_background()
    write_jpeg(os.path.join(pictures, "default-background.jpg"), w, h, rows, grey=True, quality=92)

    w, h, rows = mist()
    write_jpeg(os.path.join(backgrounds, "mist.jpg"), w, h, rows, grey=False)
    w, h, rows = linen()
    write_jpeg(os.path.join(backgrounds, "linen.jpg"), w, h, rows, grey=False)
    w, h, rows = marble()
    write_jpeg(os.path.join(backgrounds, "marble.jpg"), w, h, rows, grey=False)
    w, h, rows = sand()
    write_bmp24(os.path.join(backgrounds, "sand.bmp"), w, h, rows)
    w, h, idx, palette = graph_paper()
    write_bmp8(os.path.join(backgrounds, "graph-paper.bmp"), w, h, idx, palette)

    chime(os.path.join(sounds, "default.wav"))


if __name__ == "__main__":
    main()
