#!/usr/bin/env python3
"""Draws the button glyphs of WQTOOL32.DLL and writes them as 4-bit BMPs.

Each glyph is drawn on a grid of palette indices with a few shape helpers
or from a character map. Colours are the 16 standard VGA colours; the
library recolours black, 0x808080, 0xC0C0C0 and white to the system's
button colours at paint time, so backgrounds use 0xC0C0C0 ('.').

    python3 make_glyphs.py [output-dir]     (default: this script's folder)
"""
import os
import struct
import sys

PALETTE = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
]
# Characters of the maps and the shape helpers.
CHARS = {
    '#': 0, 'R': 1, 'G': 2, 'Y': 3, 'B': 4, 'M': 5, 'C': 6, '.': 7,
    '+': 8, 'r': 9, 'g': 10, 'y': 11, 'b': 12, 'm': 13, 'c': 14, 'w': 15,
}


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[CHARS['.']] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = CHARS[c]

    def fill(self, x0, y0, x1, y1, c):  # inclusive corners
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def peak(self, px, py, base, c, left=0, right=10 ** 6):
        for y in range(py, base + 1):
            self.fill(max(left, px - (y - py)), y, min(right, px + (y - py)), y, c)

    def ring(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if (r - 1) ** 2 < d <= r * r:
                    self.put(x, y, c)

    def stamp(self, x0, y0, rows):
        """Character map; spaces leave the canvas as it is."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != ' ':
                    self.put(x0 + dx, y0 + dy, ch)


def from_map(w, h, rows):
    assert len(rows) == h, (len(rows), h)
    for r in rows:
        assert len(r) == w, (r, len(r), w)
    c = Canvas(w, h)
    c.stamp(0, 0, rows)
    return c


def write_bmp(path, canvas):
    w, h = canvas.w, canvas.h
    stride = ((w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up
        row = canvas.px[y] + [0]
        line = bytearray((row[x] << 4) | (row[x + 1] if x + 1 < w else 0) for x in range(0, w, 2))
        pixels += line + bytes(stride - len(line))
    table = b''.join(struct.pack('<BBBB', c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(head + info + table + pixels)


# ---------------------------------------------------------------- 24 x 25

def preview():
    """A framed landscape: the picture a preview scan brings up."""
    c = Canvas(24, 25)
    c.fill(3, 4, 21, 21, '+')       # drop shadow
    c.fill(2, 3, 20, 20, 'w')
    c.frame(2, 3, 20, 20, '#')
    # A white sky keeps the mountains and the sun apart from the frame when
    # the glyph is drawn disabled (white counts as background there).
    c.disc(15, 8, 2.5, 'Y')         # sun
    c.disc(15, 8, 1.5, 'y')
    c.peak(9, 10, 18, 'G', 4, 18)   # mountains
    c.peak(15, 13, 18, 'g', 4, 18)
    c.fill(4, 17, 18, 18, 'G')
    return c


def zoom_preview():
    """A magnifier with a plus: look closer at the framed area."""
    c = Canvas(24, 25)
    c.disc(9, 9, 7, '#')
    c.disc(9, 9, 6, 'c')
    c.put(6, 5, 'w'); c.put(5, 6, 'w'); c.put(7, 5, 'w'); c.put(5, 7, 'w')
    c.fill(6, 8, 12, 10, 'B')       # plus
    c.fill(8, 6, 10, 12, 'B')
    for i in range(7):              # handle
        c.fill(14 + i, 14 + i, 16 + i, 15 + i, '#')
        c.put(14 + i, 16 + i, '+')
    return c


def auto_adjust():
    """A wand with sparks: let the program find the levels."""
    c = Canvas(24, 25)
    for i in range(12):
        c.put(4 + i, 21 - i, '#')
        c.put(5 + i, 21 - i, '#')
        c.put(4 + i, 20 - i, '+')
    c.put(15, 9, 'w'); c.put(16, 9, 'w'); c.put(16, 8, 'w'); c.put(17, 8, 'w')
    c.stamp(15, 1, ["  y  ",
                    "  y  ",
                    "yyYyy",
                    "  y  ",
                    "  y  "])
    c.stamp(7, 4, [" y ", "yYy", " y "])
    c.stamp(19, 10, [" y ", "yYy", " y "])
    c.put(11, 9, 'y')
    c.put(20, 5, 'y')
    return c


def scan():
    """A flatbed scanner with its light bar under an open lid."""
    c = Canvas(24, 25)
    c.line(2, 11, 17, 3, '#')       # lid, raised
    c.line(2, 12, 18, 4, '#')
    c.line(3, 12, 18, 5, '+')
    c.fill(1, 13, 22, 20, '+')      # body
    c.fill(1, 13, 21, 19, 'w')
    c.frame(1, 13, 22, 20, '#')
    c.fill(3, 14, 20, 15, 'c')      # glass
    c.fill(3, 15, 20, 15, 'g')      # light bar
    c.fill(3, 17, 6, 18, '+')       # panel
    c.put(18, 18, 'r'); c.put(19, 18, 'r')
    c.fill(2, 21, 21, 21, '#')      # feet shadow
    return c


def movement():
    """Up and down arrows: move the feeder or the film unit."""
    c = Canvas(24, 25)
    up = ["   #   ",
          "  ###  ",
          " ##### ",
          "#######",
          "  ###  ",
          "  ###  ",
          "  ###  ",
          "  ###  ",
          "  ###  "]
    c.stamp(3, 4, up)
    c.stamp(14, 8, list(reversed(up)))
    c.fill(2, 20, 21, 21, 'B')      # the tray
    c.fill(3, 21, 21, 21, 'b')
    return c


def padlock(w, h, locked, body, shackle_top, shackle_w):
    """A padlock; open ones lift the shackle off its right post."""
    c = Canvas(w, h)
    x0, y0, x1, y1 = body
    cx = (x0 + x1) // 2
    left, right = cx - shackle_w // 2, cx + shackle_w // 2
    lift = 0 if locked else 3
    top = shackle_top - lift
    for x in (left, right):
        ytop = top + 2
        ybot = y0 - 1 if (locked or x == left) else top + 4
        if x == left:
            ybot = y0 - 1
        c.line(x, ytop, x, ybot, '#')
        c.line(x + (1 if x == left else -1), ytop, x + (1 if x == left else -1), ybot, '+')
    c.line(left + 1, top, right - 1, top, '#')
    c.put(left, top + 1, '#'); c.put(right, top + 1, '#')
    c.line(left + 2, top + 1, right - 2, top + 1, '+')
    if not locked:  # the free end of the shackle stays clear of the body
        c.fill(right - 1, top + 5, right, y0 - 1, '.')
    c.fill(x0, y0, x1, y1, 'y')
    c.frame(x0, y0, x1, y1, '#')
    c.line(x0 + 1, y1 - 1, x1 - 1, y1 - 1, 'Y')
    c.line(x1 - 1, y0 + 1, x1 - 1, y1 - 1, 'Y')
    c.line(x0 + 1, y0 + 1, x1 - 2, y0 + 1, 'w')
    ky = (y0 + y1) // 2
    c.fill(cx, ky - 1, cx, ky + 1, '#')
    c.put(cx, ky + 2 if y1 - y0 > 7 else ky + 1, '#')
    return c


def big_lock(locked):
    return padlock(24, 25, locked, (5, 12, 18, 21), 4, 8)


def small_lock(locked):
    return padlock(16, 17, locked, (3, 8, 12, 14), 2, 6)


# ---------------------------------------------------------------- 16 x 17

def help_glyph():
    """A question mark in a round badge."""
    return from_map(16, 17, [
        "................",
        ".....######.....",
        "...##wwwwww##...",
        "..#wwwBBBBwww#..",
        ".#wwwBBwwBBwww#.",
        ".#wwwBBwwBBwww#.",
        "#wwwwwwwwBBwwww#",
        "#wwwwwwwBBwwwww#",
        "#wwwwwwBBwwwwww#",
        "#wwwwwwBBwwwwww#",
        "#wwwwwwwwwwwwww#",
        ".#wwwwwBBwwwww#.",
        ".#wwwwwBBwwwww#.",
        "..#wwwwwwwwww#..",
        "...##wwwwww##...",
        ".....######.....",
        "................",
    ])


def dropper(fill):
    """An eyedropper whose glass shows the point it picks: black or white."""
    c = Canvas(16, 17)
    for y in range(17):
        for x in range(16):
            s, d = x + y, x - y       # across and along the tube
            if -9 <= d <= 2 and 14 <= s <= 18:
                c.put(x, y, '#' if s in (14, 18) or d == -9 else fill)
            elif d in (3, 4) and 14 <= s <= 18:
                c.put(x, y, '#' if s in (14, 18) else '+')   # collar
            elif -13 <= d <= -10 and 15 <= s <= 17:
                c.put(x, y, '#')                             # tip
    c.disc(12, 4, 3, '#')                                    # bulb
    c.put(11, 3, '+')
    return c


def preferences():
    """Three little sliders."""
    return from_map(10, 11, [
        "..........",
        "..###.....",
        "++#w#+++++",
        "..###.....",
        "......###.",
        "++++++#w#+",
        "......###.",
        ".###......",
        "+#w#++++++",
        ".###......",
        "..........",
    ])


def popup_arrow():
    """The arrow of a button that opens a menu."""
    return from_map(10, 11, [
        "..........",
        "..........",
        "..........",
        "..........",
        ".#######..",
        "..#####...",
        "...###....",
        "....#.....",
        "..........",
        "..........",
        "..........",
    ])


# ---------------------------------------------------------------- 36 x 7

def switch(knob_at, lit):
    """A slide switch: knob left (preview), right (zoom), middle (held)."""
    c = Canvas(36, 7)
    c.fill(1, 0, 34, 0, '#')
    c.fill(1, 6, 34, 6, '#')
    c.fill(0, 1, 0, 5, '#')
    c.fill(35, 1, 35, 5, '#')
    c.fill(1, 1, 34, 5, '+')
    if lit:
        c.fill(1, 1, 34, 5, 'G')
        c.fill(1, 1, 34, 1, '#')
    else:
        c.fill(1, 1, 34, 1, '#')
    x0 = knob_at
    c.fill(x0, 1, x0 + 11, 5, '.')
    c.line(x0, 1, x0 + 11, 1, 'w')
    c.line(x0, 1, x0, 5, 'w')
    c.line(x0, 5, x0 + 11, 5, '#')
    c.line(x0 + 11, 1, x0 + 11, 5, '#')
    for gx in (x0 + 4, x0 + 6):     # grip
        c.line(gx, 2, gx, 4, '+')
    return c


GLYPHS = [
    (3051, 'preview', preview),
    (3061, 'zoom_preview', zoom_preview),
    (3601, 'auto_adjust', auto_adjust),
    (3071, 'scan', scan),
    (3501, 'movement', movement),
    (4401, 'preferences', preferences),
    (3901, 'popup_arrow', popup_arrow),
    (4101, 'switch_off', lambda: switch(1, False)),
    (4103, 'switch_on', lambda: switch(23, True)),
    (4105, 'switch_held', lambda: switch(12, False)),
    (4301, 'help', help_glyph),
    (3201, 'lock_open', lambda: big_lock(False)),
    (3203, 'lock_closed', lambda: big_lock(True)),
    (3301, 'lock_open_small', lambda: small_lock(False)),
    (3303, 'lock_closed_small', lambda: small_lock(True)),
    (4603, 'pick_black', lambda: dropper('#')),
    (4611, 'pick_white', lambda: dropper('w')),
]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for gid, name, draw in GLYPHS:
        write_bmp(os.path.join(out, '%d_%s.bmp' % (gid, name)), draw())


if __name__ == '__main__':
    main()
