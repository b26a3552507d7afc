#!/usr/bin/env python3
"""Draws the preview windows' cursors while a picker of the levels page is
on: an eyedropper with its tip (the hot spot) at the bottom left, filled
black for the black point and white for the white point, each outlined in
black with a white rim so that it shows on any image. 32 x 32 monochrome.
Writes pick_black.cur and pick_white.cur beside this script."""
import os
import struct

SIZE = 32
HOT = (1, 30)


def shape():
    """The dropper's inside as a set of pixels."""
    inside = set()
    for t in range(0, 9):            # the tip: a thin diagonal
        inside.add((1 + t, 30 - t))
        inside.add((2 + t, 30 - t))
    for t in range(9, 21):           # the barrel: a band three pixels wide
        for w in range(-1, 3):
            inside.add((1 + t + w, 30 - t))
    for y in range(0, SIZE):         # the bulb
        for x in range(0, SIZE):
            if (x - 24) ** 2 + (y - 7) ** 2 <= 20:
                inside.add((x, y))
    for t in range(-3, 4):           # the collar across the barrel
        inside.add((18 + t, 10 + t))
    return inside


def grow(pixels):
    out = set(pixels)
    for (x, y) in pixels:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if 0 <= x + dx < SIZE and 0 <= y + dy < SIZE:
                    out.add((x + dx, y + dy))
    return out


def cursor(fill_white):
    inside = shape()
    outline = grow(inside) - inside
    rim = grow(grow(inside)) - grow(inside)
    # AND 1, XOR 0: transparent; AND 0: XOR 0 black, XOR 1 white.
    xor = [[0] * SIZE for _ in range(SIZE)]
    mask = [[1] * SIZE for _ in range(SIZE)]
    for (x, y) in rim:
        mask[y][x], xor[y][x] = 0, 1
    for (x, y) in outline:
        mask[y][x], xor[y][x] = 0, 0
    for (x, y) in inside:
        mask[y][x], xor[y][x] = 0, 1 if fill_white else 0

    def rows(bits):
        data = b""
        for y in reversed(range(SIZE)):  # bottom-up
            value = 0
            for x in range(SIZE):
                value = value << 1 | bits[y][x]
            data += struct.pack(">I", value)
        return data

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + rows(xor) + rows(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT[0], HOT[1], len(image), 6 + 16)
    return directory + entry + image


here = os.path.dirname(os.path.abspath(__file__))
for name, white in (("pick_black.cur", False), ("pick_white.cur", True)):
    with open(os.path.join(here, name), "wb") as f:
        f.write(cursor(white))
