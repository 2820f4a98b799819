#!/usr/bin/env python3
"""Draws Trovella's icon (blue tile, yellow folder, green tick) at every size it ships in.

Writes Resources/Trovella.ico: fifteen uncompressed 32-bit images. With --png DIR it also
writes DIR/<size>.png for the desktop icon theme. Pure Python, so it runs anywhere.
"""
import math
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 72, 80, 96, 112, 128, 160, 192, 256]


def rounded_rect(x, y, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return math.hypot(x - cx, y - cy) - r


def segment(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def shade(x, y):
    """Colour (r, g, b, a) of the point (x, y) of the unit square."""
    layers = []
    if rounded_rect(x, y, 0.04, 0.04, 0.96, 0.96, 0.18) < 0:
        t = y
        layers.append((int(40 + 30 * (1 - t)), int(100 + 50 * (1 - t)), int(200 + 30 * (1 - t))))
    if rounded_rect(x, y, 0.18, 0.26, 0.48, 0.40, 0.04) < 0:
        layers.append((232, 170, 40))
    if rounded_rect(x, y, 0.18, 0.33, 0.82, 0.78, 0.05) < 0:
        layers.append((252, 204, 70) if y > 0.42 else (240, 186, 52))
    if segment(x, y, 0.36, 0.56, 0.48, 0.68) < 0.06 or segment(x, y, 0.48, 0.68, 0.72, 0.44) < 0.06:
        layers.append((40, 170, 80))
    if not layers:
        return (0, 0, 0, 0)
    r, g, b = layers[-1]
    return (r, g, b, 255)


def render(size):
    """BGRA rows, top row first, with 4x4 supersampling."""
    n = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = shade((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3]
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[2] // a, acc[1] // a, acc[0] // a, a // (n * n)))
        rows.append(row)
    return rows


def dib(size, rows):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png(size, rows):
    raw = b"".join(b"\0" + bytes(c for (b, g, r, a) in row for c in (r, g, b, a)) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    images = {size: render(size) for size in SIZES}
    blobs = [dib(size, images[size]) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for size, blob in zip(SIZES, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open("Resources/Trovella.ico", "wb") as f:
        f.write(out + b"".join(blobs))
    if len(sys.argv) == 3 and sys.argv[1] == "--png":
        for size in SIZES:
            with open(f"{sys.argv[2]}/{size}.png", "wb") as f:
                f.write(png(size, images[size]))


if __name__ == "__main__":
    main()
