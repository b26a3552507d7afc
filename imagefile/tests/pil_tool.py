"""Image files for the codec tests, made and read by Pillow.

  pil_tool.py save MODE WIDTH HEIGHT RAW PALETTE OUT [COMPRESSION]
      MODE is a Pillow mode (1, L, P, RGB, I;16); RAW holds the pixel bytes
      Pillow's frombytes takes; PALETTE is a file of RGB triples or '-';
      the format follows OUT's extension; COMPRESSION is a TIFF one.
  pil_tool.py rgb FILE
      writes "WIDTH HEIGHT\\n" and the RGB bytes of the image to stdout.
"""
import sys

from PIL import Image


def save(mode, width, height, raw, palette, out, compression=None):
    with open(raw, "rb") as f:
        data = f.read()
    im = Image.frombytes(mode, (int(width), int(height)), data)
    if palette != "-":
        with open(palette, "rb") as f:
            im.putpalette(f.read())
    options = {}
    if compression:
        options["compression"] = compression
    im.save(out, **options)


def rgb(path):
    im = Image.open(path)
    im.load()
    sys.stdout.buffer.write(b"%d %d\n" % im.size + im.convert("RGB").tobytes())


if __name__ == "__main__":
    if sys.argv[1] == "save":
        save(*sys.argv[2:])
    else:
        rgb(sys.argv[2])
