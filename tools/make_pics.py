#!/usr/bin/env python3
"""Writes the sample background pictures into data/pics/, the folder where the options'
picture dialog starts: a dusk panorama (more than twice as wide as high, so it turns with the
eye), a night sky picture, and a seamless stone tile for the tiled background. Everything is
computed here from fixed seeds, so running it again gives the same files."""
import math
import os
import random
import struct
import sys
import zlib


def write_png(path, width, height, rows):
    """rows: a list of bytes objects of width * 3 bytes (RGB)."""
    raw = b"".join(b"\x00" + row for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def dusk_panorama(width=1440, height=400):
    rng = random.Random(17)
    top, horizon = (12, 18, 52), (236, 128, 62)
    # The hills repeat across the width, so the panorama's ends meet.
    waves = [(rng.randint(1, 6), rng.uniform(0, 2 * math.pi), rng.uniform(6, 22)) for _ in range(5)]
    stars = {(rng.randrange(width), rng.randrange(height // 2)) for _ in range(260)}
    rows = []
    for y in range(height):
        row = bytearray()
        sky = mix(top, horizon, (y / height) ** 1.6)
        for x in range(width):
            a = 2 * math.pi * x / width
            ridge = height * 0.72 - sum(amp * math.sin(k * a + phase) for k, phase, amp in waves)
            far = height * 0.64 - 14 * math.sin(3 * a + 1.0) - 9 * math.sin(7 * a)
            if y > ridge:
                c = mix((22, 30, 26), (6, 8, 8), min(1.0, (y - ridge) / 80))
            elif y > far:
                c = mix(sky, (40, 34, 60), 0.75)
            elif (x, y) in stars and y < height * 0.45:
                c = mix(sky, (255, 255, 230), 0.8)
            else:
                c = sky
            row += bytes(c)
        rows.append(bytes(row))
    return width, height, rows


def night_sky(width=640, height=480):
    rng = random.Random(23)
    stars = {(rng.randrange(width), rng.randrange(height)): rng.uniform(0.3, 1.0) for _ in range(700)}
    moon_x, moon_y, moon_r = width * 0.78, height * 0.22, 34
    craters = [(moon_x + rng.uniform(-24, 24), moon_y + rng.uniform(-24, 24), rng.uniform(3, 9)) for _ in range(9)]
    rows = []
    for y in range(height):
        row = bytearray()
        base = mix((4, 6, 22), (26, 36, 78), y / height)
        for x in range(width):
            d = math.hypot(x - moon_x, y - moon_y)
            if d < moon_r:
                # Lit from the left, with a few darker craters.
                shade = 1.0 - 0.25 * (x - moon_x + moon_r) / (2 * moon_r)
                shade -= 0.18 * sum(1 for cx, cy, r in craters if math.hypot(x - cx, y - cy) < r)
                c = mix((120, 120, 110), (246, 242, 220), max(0.0, shade))
            elif d < moon_r * 2.5:
                c = mix(base, (90, 100, 140), (1 - (d - moon_r) / (moon_r * 1.5)) * 0.5)
            elif (x, y) in stars:
                c = mix(base, (255, 255, 255), stars[(x, y)])
            else:
                c = base
            row += bytes(c)
        rows.append(bytes(row))
    return width, height, rows


def stone_tile(size=128):
    rng = random.Random(5)
    cells = 8
    grid = [[rng.random() for _ in range(cells)] for _ in range(cells)]

    def noise(x, y, n):
        # Value noise on an n x n lattice that wraps, so the tile is seamless.
        fx, fy = x * n / size, y * n / size
        x0, y0 = int(fx) % n, int(fy) % n
        x1, y1 = (x0 + 1) % n, (y0 + 1) % n
        tx, ty = fx - int(fx), fy - int(fy)
        tx, ty = tx * tx * (3 - 2 * tx), ty * ty * (3 - 2 * ty)
        g = lambda i, j: grid[j * cells // n % cells][i * cells // n % cells]
        top = g(x0, y0) + (g(x1, y0) - g(x0, y0)) * tx
        bottom = g(x0, y1) + (g(x1, y1) - g(x0, y1)) * tx
        return top + (bottom - top) * ty

    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            v = 0.6 * noise(x, y, 4) + 0.3 * noise(x, y, 8) + 0.1 * rng.random()
            row += bytes(mix((70, 58, 46), (176, 160, 132), v))
        rows.append(bytes(row))
    return size, size, rows


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "pics")
    os.makedirs(out, exist_ok=True)
    for name, make in (("dusk_panorama.png", dusk_panorama), ("night_sky.png", night_sky), ("stone_tile.png", stone_tile)):
        width, height, rows = make()
        write_png(os.path.join(out, name), width, height, rows)


if __name__ == "__main__":
    main()
