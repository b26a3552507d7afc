#!/usr/bin/env python3
"""Writes the data source's colour-matching files (CLRMATCH/WQC???.CLM).

Each file holds two tables indexed by a 15-bit colour (5 bits of each
channel; the pixel's third byte in the high bits, its first byte in the low
bits). Table A gives, per channel, the corrected value at the cell's corner
less the corner; table B the slope across the cell less 8, so that the
source's correction  c + a + (((c & 7) * s) >> 3)  follows the curve
between corners. Entries are three signed bytes in the order third, second,
first pixel byte (blue, green, red for the source's RGB lines).

The corrections are deliberately mild: a small per-model balance of the
scanner's lamp and filters, and for the "Vivid" tables a little more
saturation.  Run: python3 make_clm.py [output directory]
"""
import os
import struct
import sys

# Per model index: file-name prefix and the channel balance (gain, offset)
# for red, green, blue.
MODELS = {
    0: ("WQC0", ((0.98, 2.0), (1.00, 0.0), (1.03, -1.0))),   # WQ140
    2: ("WQC1", ((1.01, 0.0), (0.99, 1.0), (1.02, 0.0))),    # WQ220
    3: ("WQC2", ((0.99, 1.0), (1.01, -1.0), (1.01, 1.0))),   # WQ490
}

# Number, English title, Japanese title, saturation.
VARIANTS = (
    (1, "Standard", "標準", 1.03),
    (2, "Vivid", "鮮やか", 1.12),
)


def clamp(v, lo, hi):
    return lo if v < lo else hi if v > hi else v


def correct(rgb, balance, saturation):
    """The corrected colour (floats, 0..255) of an RGB triple."""
    bal = [clamp(c * g + o, 0.0, 255.0) for c, (g, o) in zip(rgb, balance)]
    y = 0.299 * bal[0] + 0.587 * bal[1] + 0.114 * bal[2]
    return [clamp(y + saturation * (c - y), 0.0, 255.0) for c in bal]


def signed_byte(v):
    return clamp(int(round(v)), -128, 127) & 0xFF


def tables(balance, saturation):
    a = bytearray(98304)
    b = bytearray(98304)
    for k in range(32768):
        q = ((k >> 10) & 31, (k >> 5) & 31, k & 31)  # blue, green, red cells
        base = [8 * q[2], 8 * q[1], 8 * q[0]]         # red, green, blue corner
        at = correct(base, balance, saturation)
        for entry, channel in enumerate((2, 1, 0)):   # blue, green, red
            nxt = list(base)
            nxt[channel] += 8
            up = correct(nxt, balance, saturation)[channel]
            a[3 * k + entry] = signed_byte(at[channel] - base[channel])
            b[3 * k + entry] = signed_byte(up - at[channel] - 8)
    return bytes(a), bytes(b)


def title(text, encoding):
    raw = text.encode(encoding)
    if len(raw) > 19:
        raise ValueError("title too long: " + text)
    return raw + b"\0" * (20 - len(raw))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "CLRMATCH")
    os.makedirs(out, exist_ok=True)
    for model, (prefix, balance) in sorted(MODELS.items()):
        for number, english, japanese, saturation in VARIANTS:
            a, b = tables(balance, saturation)
            data = a + b
            header = b"WQCM" + title(english, "ascii") + title(japanese, "shift_jis")
            header += struct.pack("<I", len(data))
            name = os.path.join(out, "%s%02d.CLM" % (prefix, number))
            with open(name, "wb") as f:
                f.write(header + data)
            print(name)


if __name__ == "__main__":
    main()
