#!/usr/bin/python3
"""Checks the files the data source's file transfer wrote against standard readers.

  xfer_interop.py DIR

DIR holds, per scanned page TAG, TAG.PPM (the pixels of the native transfer
of the same page), TAG.BMP and TAG.TIF (the file transfers). Every BMP and
TIFF must open in Pillow and ImageMagick with exactly the PPM's pixels; every
TIFF must pass libtiff's tiffinfo without a warning and survive a tiffcp
round trip with its pixels. Prints one line per fault; exits 1 on any.
"""
import os
import subprocess
import sys
import tempfile

from PIL import Image


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    assert fields[0] == b"P6" and fields[3] == b"255", path
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def run(args):
    return subprocess.run(args, capture_output=True)


def with_pillow(path):
    with Image.open(path) as im:
        im.load()
        return im.size, im.convert("RGB").tobytes()


def with_magick(path):
    size = run(["identify", "-format", "%w %h", path])
    if size.returncode != 0:
        return None, "identify failed: " + size.stderr.decode(errors="replace").strip()
    pixels = run(["convert", path, "-depth", "8", "rgb:-"])
    if pixels.returncode != 0 or pixels.stderr.strip():
        return None, "convert: " + pixels.stderr.decode(errors="replace").strip()
    w, h = (int(v) for v in size.stdout.split()[:2])
    return ((w, h), pixels.stdout), None


def compare(what, got, want):
    (size, pixels), (w, h, ref) = got, want
    if size != (w, h):
        return "%s: size %dx%d, the native transfer %dx%d" % (what, size[0], size[1], w, h)
    if pixels != ref:
        i = next(k for k in range(min(len(pixels), len(ref))) if pixels[k] != ref[k]) \
            if len(pixels) == len(ref) else 0
        return "%s: pixels differ from the native transfer (first at byte %d)" % (what, i)
    return None


def check(directory):
    faults = []
    tags = sorted(f[:-4] for f in os.listdir(directory) if f.upper().endswith(".PPM"))
    if not tags:
        return ["no pages in " + directory]
    files = 0
    with tempfile.TemporaryDirectory() as scratch:
        for tag in tags:
            want = read_ppm(os.path.join(directory, tag + ".PPM"))
            for ext in (".BMP", ".TIF"):
                path = os.path.join(directory, tag + ext)
                name = tag + ext
                if not os.path.exists(path):
                    faults.append(name + ": missing")
                    continue
                files += 1
                try:
                    fault = compare(name + " in Pillow", with_pillow(path), want)
                except Exception as e:  # a reader that refuses the file
                    fault = "%s in Pillow: %s" % (name, e)
                if fault:
                    faults.append(fault)
                got, error = with_magick(path)
                fault = error and name + " in ImageMagick: " + error
                if got:
                    fault = compare(name + " in ImageMagick", got, want)
                if fault:
                    faults.append(fault)
                if ext != ".TIF":
                    continue
                info = run(["tiffinfo", path])
                if info.returncode != 0 or info.stderr.strip():
                    faults.append(name + " in tiffinfo: " + info.stderr.decode(errors="replace").strip())
                copy = os.path.join(scratch, name)
                cp = run(["tiffcp", path, copy])
                if cp.returncode != 0 or cp.stderr.strip():
                    faults.append(name + " in tiffcp: " + cp.stderr.decode(errors="replace").strip())
                    continue
                fault = compare(name + " after tiffcp", with_pillow(copy), want)
                if fault:
                    faults.append(fault)
    print("%d files of %d pages checked" % (files, len(tags)))
    return faults


if __name__ == "__main__":
    problems = check(sys.argv[1])
    for p in problems:
        print(p)
    sys.exit(1 if problems else 0)
