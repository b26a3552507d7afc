#!/usr/bin/env python3
"""Writes the seed corpora of the BMP and TIFF fuzz targets.

Small images in every class the codecs read, made with Pillow and recoded by
libtiff's tiffcp, plus a few BMP variants the reader refuses. Run from any
directory; the files go to fuzz/corpus/<target>/.
"""
import os
import struct
import subprocess
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
BMP_DIR = os.path.join(HERE, "corpus", "bmp_reader_fuzz")
TIFF_DIR = os.path.join(HERE, "corpus", "tiff_convert_fuzz")
W, H = 13, 6


def picture(mode):
    im = Image.new("RGB", (W, H))
    im.putdata([((x * 40) % 256, (y * 50) % 256, (x * y * 9) % 256)
                for y in range(H) for x in range(W)])
    if mode == "RGB":
        return im
    if mode == "P16":
        return im.quantize(16)
    if mode == "P":
        return im.quantize(200)
    return im.convert(mode)


def bmp_seeds():
    for mode in ("1", "L", "P", "RGB"):
        picture(mode).save(os.path.join(BMP_DIR, "pil_%s.bmp" % mode.lower()))
    # 4 bits a pixel with a short colour table, written by hand: 40-byte header.
    stride = ((4 * W + 31) // 32) * 4
    table = b"".join(bytes((i * 16, 255 - i * 16, i * 7, 0)) for i in range(5))
    pixels = bytes((y * 16 + x) % 5 * 0x11 for y in range(H) for x in range(stride))
    off = 54 + len(table)
    head = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, W, -H, 1, 4, 0, len(pixels), 2835, 2835, 5, 0)
    with open(os.path.join(BMP_DIR, "hand_4bit_topdown.bmp"), "wb") as f:
        f.write(head + info + table + pixels)
    # An RLE8 and an OS/2 header, refused with their messages.
    with open(os.path.join(BMP_DIR, "rle8.bmp"), "wb") as f:
        f.write(head + struct.pack("<IiiHHIIiiII", 40, W, H, 1, 8, 1, 8, 0, 0, 0, 0) + bytes(8))
    with open(os.path.join(BMP_DIR, "os2.bmp"), "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 40, 0, 0, 32) + struct.pack("<IHHHH", 12, W, H, 1, 24))


def tiff_seeds(tmp):
    sources = {}
    for mode in ("1", "L", "P", "RGB"):
        path = os.path.join(tmp, "src_%s.tif" % mode.lower())
        picture(mode).save(path)
        sources[mode] = path
    grey4 = os.path.join(tmp, "src_grey4.tif")
    subprocess.run(["convert", sources["L"], "-depth", "4", "-compress", "none", grey4], check=True)
    sources["GREY4"] = grey4
    variants = {
        "1": ["-c none", "-c lzw", "-c g3:1d", "-c g3:1d:fill -B", "-c none -f lsb2msb"],
        "L": ["-c none -r 2", "-c lzw:2 -B"],
        "P": ["-c lzw", "-c none -B"],
        "RGB": ["-c lzw:2 -r 2", "-c none -p separate -r 3", "-c lzw -B"],
        "GREY4": ["-c lzw", "-c none -B"],
    }
    n = 0
    for mode, options in variants.items():
        for opt in options:
            out = os.path.join(TIFF_DIR, "%s_%02d.tif" % (mode.lower(), n))
            subprocess.run(["tiffcp"] + opt.split() + [sources[mode], out], check=True)
            n += 1
    picture("1").save(os.path.join(TIFF_DIR, "1_ccitt_rle.tif"), compression="tiff_ccitt")


def main():
    os.makedirs(BMP_DIR, exist_ok=True)
    os.makedirs(TIFF_DIR, exist_ok=True)
    bmp_seeds()
    with tempfile.TemporaryDirectory() as tmp:
        tiff_seeds(tmp)


if __name__ == "__main__":
    main()
