#!/usr/bin/env python3
"""Draws the program's icon (orrindale.ico): a white ring, the O of the
name, on a blue rounded square, with a green dot for a finished backup.
Run it again after changing the drawing; the .ico is kept beside it."""
import math
import struct
import sys

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # per axis, for smooth edges


def inside_rounded_square(x, y, inset=0.03, radius=0.2):
    lo, hi = inset, 1 - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """RGBA of the drawing at (x, y) in the unit square, y downwards."""
    d = math.hypot(x - 0.47, y - 0.53)
    dot = math.hypot(x - 0.75, y - 0.25)
    if dot <= 0.13:
        return (255, 255, 255, 255) if dot > 0.10 else (46, 204, 113, 255)
    if 0.19 <= d <= 0.32:
        return (255, 255, 255, 255)
    if inside_rounded_square(x, y):
        t = y
        return (int(36 + (18 - 36) * t), int(120 + (70 - 120) * t), int(178 + (128 - 178) * t), 255)
    return (0, 0, 0, 0)


def render(size):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                           (py + (sy + 0.5) / SAMPLES) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if acc[3]:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], round(alpha)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap_image(size):
    pixels = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytes(mask_row * size)  # the alpha channel decides
    return header + xor + and_mask


def main(path):
    images = [bitmap_image(s) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        dim = 0 if size >= 256 else size
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'orrindale.ico')
