#!/usr/bin/env python3
"""Writes kestrava.ico: a stopwatch, as 16, 32 and 48 pixel images in 16
colours (4 bits per pixel with a transparency mask). Run once; the .ico is
committed."""
import math
import struct

# The 16-colour VGA palette (B, G, R, 0 in the file).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, GREY, RED, WHITE, NAVY, BLUE = 0, 1, 8, 9, 15, 4, 12


def pixel(size, x, y):
    """Palette index at (x, y), or None for transparent."""
    s = size / 48.0
    cx, cy, r = 24 * s, 27 * s, 18 * s
    px, py = x + 0.5, y + 0.5
    d = math.hypot(px - cx, py - cy)
    # crown button on top
    if abs(px - cx) <= 3 * s and 3 * s <= py <= 9 * s:
        return GREY
    if d > r:
        return None
    if d > r - max(1.0, 3 * s):
        return NAVY
    # hand pointing to about two o'clock, and the hub
    angle = math.radians(-60)
    hx, hy = math.cos(angle), math.sin(angle)
    t = (px - cx) * hx + (py - cy) * hy
    off = abs(-(px - cx) * hy + (py - cy) * hx)
    if 0 <= t <= r * 0.75 and off <= max(0.8, 1.6 * s):
        return RED
    if d <= max(1.0, 2.5 * s):
        return BLACK
    # twelve ticks
    for k in range(12):
        a = math.radians(k * 30)
        tx, ty = cx + math.sin(a) * (r - 6 * s), cy - math.cos(a) * (r - 6 * s)
        if size >= 32 and math.hypot(px - tx, py - ty) <= 1.3 * s:
            return BLACK
    return WHITE


def image(size):
    rows = [[pixel(size, x, y) for x in range(size)] for y in range(size)]
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor, mask = b'', b''
    for row in reversed(rows):  # bottom-up
        nibbles = [(p if p is not None else 0) for p in row]
        line = bytes((nibbles[i] << 4) | (nibbles[i + 1] if i + 1 < size else 0) for i in range(0, size, 2))
        xor += line.ljust(xor_stride, b'\0')
        mline = bytearray(and_stride)
        for x, p in enumerate(row):
            if p is None:
                mline[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(mline)
    return header + palette + xor + mask


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open('kestrava.ico', 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
