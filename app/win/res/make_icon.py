#!/usr/bin/env python3
"""Draws the program icon (a flatbed scanner with a page and its light bar)
and writes scanwq32.ico with 32 x 32 and 16 x 16 images, 16 colours.

    python3 make_icon.py [output-dir]     (default: this script's folder)
"""
import os
import struct
import sys

PALETTE = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
]
BLACK, GREY, SILVER, WHITE, BLUE, CYAN, TEAL, YELLOW = 0, 8, 7, 15, 4, 14, 6, 11
CLEAR = None


def draw(size):
    s = size / 32.0
    px = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = c

    # The scanner body with its shadowed edges.
    rect(1, 14, 31, 29, BLACK)
    rect(2, 15, 30, 28, SILVER)
    rect(2, 26, 30, 28, GREY)
    rect(4, 17, 28, 24, BLACK)     # the glass
    rect(5, 18, 27, 23, TEAL)
    rect(14, 18, 16, 23, CYAN)     # the light bar under the glass
    rect(24, 26, 28, 27, YELLOW)   # the power lamp
    # A page going in, its text lines blue.
    rect(8, 2, 24, 16, BLACK)
    rect(9, 3, 23, 16, WHITE)
    for y in (5, 8, 11):
        rect(11, y, 21, y + 1, BLUE)
    return px


def image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in PALETTE)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(xor_stride)
        mrow = bytearray(and_stride)
        for x in range(size):
            c = px[y][x]
            if c is None:
                mrow[x // 8] |= 0x80 >> (x % 8)
                c = 0
            row[x // 2] |= c << (0 if x % 2 else 4)
        xor += row
        mask += mrow
    return header + pal + bytes(xor) + bytes(mask)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    images = [image(32), image(16)]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in zip((32, 16), images):
        data += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(os.path.join(out, 'scanwq32.ico'), 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
