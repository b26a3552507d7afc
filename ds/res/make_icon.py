#!/usr/bin/env python3
"""Draws the scanning window's icon (resource 962): a flatbed scanner with
its lid raised and a light bar, at 32 x 32 and 16 x 16, 24-bit colour with
a transparency mask. Writes source.ico beside this script."""
import os
import struct

def draw(size):
    s = size / 32.0
    grey, dark, light, bar, white = (192, 192, 192), (64, 64, 64), (230, 230, 230), (0, 160, 255), (255, 255, 255)
    px = [[None] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    rect(3, 4, 29, 12, light)      # the lid, raised
    rect(3, 4, 29, 5, dark)
    rect(3, 11, 29, 12, dark)
    rect(2, 16, 30, 28, grey)      # the body
    rect(2, 16, 30, 17, dark)
    rect(2, 27, 30, 28, dark)
    rect(2, 16, 3, 28, dark)
    rect(29, 16, 30, 28, dark)
    rect(5, 18, 27, 21, white)     # the glass
    rect(14, 18, 16, 21, bar)      # the light bar
    rect(23, 24, 27, 26, (0, 128, 0))  # the lamp
    return px

def icon_image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    rows = b''
    for y in range(size - 1, -1, -1):
        row = b''.join(bytes((c[2], c[1], c[0])) if c else b'\0\0\0' for c in px[y])
        rows += row + b'\0' * ((4 - len(row) % 4) % 4)
    mask = b''
    mask_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        bits = 0
        row = bytearray(mask_stride)
        for x in range(size):
            if px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    return header + rows + mask

images = [icon_image(32), icon_image(16)]
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in zip((32, 16), images):
    out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 24, len(data), offset)
    offset += len(data)
out += b''.join(images)
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'source.ico'), 'wb') as f:
    f.write(out)
